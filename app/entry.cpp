// The program entry: creates the application full screen or in a window,
// shows the start-up failure if there is one, runs the node tree under the
// screen manager, with pictures between ticks unless asked otherwise.
#include "app/entry.h"

#include <cstdio>
#include <string>

#include "app/application.h"
#include "app/language.h"
#include "app/frame_stats.h"
#include "app/picture_pacer.h"
#include "display/screen_manager.h"
#include "platform/reports/diagnostics.h"
#include "platform/desktop/message_box.h"
#include "platform/window/x_errors.h"
#include "screens/game_over_screen.h"

namespace {

std::string initializeErrorText() {
    std::string text = translate(
        "Cannot initialize game. Make sure your system satisfies our minimum requirements:\n\n"
        "Screen: resolution 800x600 or higher, 16 bit colour depth or higher\n"
        "Desktop: a graphical session (X11 or Wayland)\n"
        "Libraries: %s or above");
    // Replaced rather than formatted: a translation can never make it read beyond the text.
    const size_t libraries = text.find("%s");
    if (libraries != std::string::npos) text.replace(libraries, 2, platform::builtWithLibraries());
    return text;
}

// The start-up step that failed, told by the first device missing.
const char* failedStep(const Application& application) {
    if (application.window == nullptr) return "the window";
    if (application.directDraw == nullptr || application.backBuffer == nullptr) return "the display";
    return "the sound output";
}

// The display went away for good: what the end of the program stores is
// stored now, since no normal end follows.
void storeBeforeTheEnd() {
    GameOverScreen::storeScoreOfOpenPanel();
    if (theApplication != nullptr) theApplication->saveSettings();
}

// Runs the message loop, with pictures between ticks unless classic motion
// was chosen; prints the figures when asked.
int runLoop(const MotionOptions& motion) {
    const bool smooth = !motion.classicMotion && readSmoothMotionChoice(*theApplication);
    if (!smooth && !motion.frameStats) return theApplication->run();
    FrameStats stats;
    PicturePacer pacer(*theApplication, smooth, motion.frameStats ? &stats : nullptr);
    theApplication->pacer = &pacer;
    const int exitCode = theApplication->run();
    theApplication->pacer = nullptr;
    if (motion.frameStats) std::fputs(stats.report().c_str(), stderr);
    return exitCode;
}

int startApplication(void* const& instance, const int& showCommand, const bool& fullScreen,
                     const MotionOptions& motion) {
    platform::onDisplayLost(storeBeforeTheEnd);
    theApplication = new Application(fullScreen, 800, 600, 16, 1, 15, 1, 22050, 16, instance, showCommand);
    if (!theApplication->initialized) {
        const std::string reason = platform::lastFailure().empty() ? "no reason given" : platform::lastFailure();
        const std::string detail = std::string("Start-up failed at ") + failedStep(*theApplication) + ": " + reason;
        // The application is left as it is: nothing is written back.
        platform::reportErrorMessage(theApplication->window, translate("Cannot Initialize Game"),
                                     initializeErrorText().c_str(), detail.c_str());
        return 1;
    }
    theRootNode = new ScreenManager(nullptr, 0, 0);
    const int exitCode = runLoop(motion);
    // However the program was asked to end (close box, window manager,
    // SIGTERM, a shortcut), a score waiting for its name is not dropped.
    GameOverScreen::storeScoreOfOpenPanel();
    delete theRootNode;
    theRootNode = nullptr;
    delete theApplication;
    theApplication = nullptr;
    return exitCode;
}

}  // namespace

int runProgram(void* const& instance, const int& showCommand) {
    return startApplication(instance, showCommand, true, MotionOptions{});
}

int runProgram(void* const& instance, const int& showCommand, const std::optional<bool>& fullScreenOption,
               const MotionOptions& motion) {
    const bool fullScreen = fullScreenOption.has_value() ? *fullScreenOption : readFullScreenChoice();
    return startApplication(instance, showCommand, fullScreen, motion);
}
