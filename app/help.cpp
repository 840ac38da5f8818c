// Help and web links: the game's help in a viewer, the maker's site in the
// browser, both started without waiting for them.
#include "app/application.h"

#include <string>

#include "platform/help_viewer.h"
#include "platform/launcher.h"

const char* const MAKER_WEB_ADDRESS = "https://www.zentrio.example/";

namespace {

const char* const HELP_FILE = "Quadrimo help.chm";
const char* const HELP_HTML_FILE = "help/index.html";

// Looked up at the first request and kept for the program's life.
platform::HelpViewer theHelpViewer;

}  // namespace

void Application::showHelp() { theHelpViewer.show(HELP_FILE, HELP_HTML_FILE); }

void openWebPage(const char* const& address) {
    // An address beginning with '-' would reach xdg-open as an option.
    if (address == nullptr || address[0] == '\0' || address[0] == '-') return;
    const std::string opener = platform::Launcher::findOnPath("xdg-open");
    if (!opener.empty()) platform::Launcher::startDetached({opener, address});
}
