// The program entry: creates the application full screen, shows the start-up
// failure if there is one, runs the node tree under the screen manager.
#include "app/entry.h"

#include "app/application.h"
#include "display/screen_manager.h"
#include "platform/message_box.h"
#include "screens/game_over_screen.h"

namespace {

const char* const initializeErrorCaption = "Cannot Initialize Game";
const char* const initializeErrorText =
    "Cannot initialize game. Make sure your system satisfies our minimum requirements:\n\n"
    "Screen: resolution 800x600 or higher, 16 bit colour depth or higher\n"
    "CPU: PII 300 MHz or higher\n"
    "RAM: 64 MB or higher\n"
    "OS: Windows 95/98/ME/NT/2000/XP with DirectX 5.2 or above";

}  // namespace

int runProgram(void* const& instance, const int& showCommand) {
    theApplication = new Application(true, 800, 600, 16, 1, 15, 1, 22050, 16, instance, showCommand);
    if (!theApplication->initialized) {
        // The application is left as it is: nothing is written back.
        platform::showErrorMessage(theApplication->window, initializeErrorCaption, initializeErrorText);
        return 1;
    }
    theRootNode = new ScreenManager(nullptr, 0, 0);
    const int exitCode = theApplication->run();
    // However the program was asked to end (close box, window manager,
    // SIGTERM, a shortcut), a score waiting for its name is not dropped.
    GameOverScreen::storeScoreOfOpenPanel();
    delete theRootNode;
    theRootNode = nullptr;
    delete theApplication;
    theApplication = nullptr;
    return exitCode;
}
