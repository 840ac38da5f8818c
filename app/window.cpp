// Placeholder window until the platform layer lands.
#include "app/application.h"

bool Application::createWindow(void* const&, const int&) { return false; }
void Application::resizeClient(const int&, const int&) {}
void Application::closeWindow() {}
long windowProc(platform::Window* const&, const uint32_t&, const uintptr_t&, const intptr_t&) { return 0; }
