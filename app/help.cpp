// Help and web links: the game's help in a viewer, the maker's site in the
// browser, both started without waiting for them.
#include "app/application.h"

#include <string>

#include "app/language.h"
#include "platform/loop/clock.h"
#include "platform/desktop/help_viewer.h"
#include "platform/desktop/launcher.h"

const char* const MAKER_WEB_ADDRESS = "https://www.zentrio.example/";

namespace {

const char* const HELP_FILE = "Quadrimo help.chm";
const char* const HELP_HTML_FILE = "help/index.html";

// Quick clicks on Help or the logo start one viewer or browser, not one each.
constexpr uint32_t MILLISECONDS_BETWEEN_STARTS = 1000;

// Looked up at the first request and kept for the program's life.
platform::HelpViewer theHelpViewer;

bool startedTooRecently() {
    static bool startedBefore = false;
    static uint32_t lastStart = 0;
    const uint32_t now = platform::Clock::current().milliseconds();
    if (startedBefore && now - lastStart < MILLISECONDS_BETWEEN_STARTS) return true;
    startedBefore = true;
    lastStart = now;
    return false;
}

}  // namespace

void Application::showHelp() {
    // In the player's language where the help has been translated.
    if (!startedTooRecently())
        theHelpViewer.show(Language::translatedOrEnglish(HELP_FILE), Language::translatedOrEnglish(HELP_HTML_FILE));
}

void openWebPage(const char* const& address) {
    // An address beginning with '-' would reach xdg-open as an option.
    if (address == nullptr || address[0] == '\0' || address[0] == '-') return;
    if (startedTooRecently()) return;
    const std::string opener = platform::Launcher::findOnPath("xdg-open");
    if (!opener.empty()) platform::Launcher::startDetached({opener, address});
}
