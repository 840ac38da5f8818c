// Placeholder help and web links until they land.
#include "app/application.h"

const char* const MAKER_WEB_ADDRESS = "https://www.zentrio.example/";

void Application::showHelp() {}
void openWebPage(const char* const&) {}
