// The application object: start-up and shut-down in their fixed order, the
// message loop and the paced frame.
#include "app/application.h"

#include <cstdint>

#include "app/language.h"
#include "app/picture_pacer.h"
#include "display/sprite.h"
#include "platform/loop/clock.h"
#include "platform/desktop/message_box.h"
#include "platform/loop/message_queue.h"
#include "platform/settings/settings_store.h"
#include "platform/sound/audio_device.h"
#include "platform/window/window.h"

Application* theApplication = nullptr;
Sprite* theRootNode = nullptr;

namespace {

uint32_t timeGetTime() { return platform::Clock::current().milliseconds(); }

}  // namespace

Application::Application(const bool& fullScreen_, const int& width_, const int& height_, const int& bitsPerPixel_,
                         const int& backBufferCount_, const int& framesPerSecond_, const int& channels_,
                         const int& samplesPerSecond_, const int& bitsPerSample_, void* const& instance_,
                         const int& showCommand)
    : fullScreen(fullScreen_), width(width_), height(height_), bitsPerPixel(bitsPerPixel_),
      displayBits(bitsPerPixel_), framesPerSecond(framesPerSecond_),
      frameInterval(framesPerSecond_ > 0 ? 1000 / framesPerSecond_ : 1000), channels(channels_),
      samplesPerSecond(samplesPerSecond_), bitsPerSample(bitsPerSample_), instance(instance_),
      backBufferCount(backBufferCount_), messages(new platform::MessageQueue) {
    // A stored byte other than 0 or 1 still means "on"; a failed read keeps
    // the default.
    uint8_t storedSound = hasSound ? 1 : 0;
    openSettings();
    if (readBinarySetting("hasSound", &storedSound, 1) == 0) hasSound = storedSound != 0;
    // The window checks the remembered size itself.
    readDwordSetting("windowWidth", &windowWidth, sizeof windowWidth);
    readDwordSetting("windowHeight", &windowHeight, sizeof windowHeight);
    closeSettings();

    initialized = createWindow(instance, showCommand) && createDisplay() && createSurfaces() && createSoundDevice();
}

Application::~Application() {
    releaseCanvas();
    if (directDraw != nullptr) releaseSurfaces();
    releaseDisplay();
    releaseSoundDevice();
    saveSettings();
    delete window;
    window = nullptr;
    delete messages;
    messages = nullptr;
}

void Application::saveSettings() {
    const uint8_t storedSound = hasSound ? 1 : 0;
    const uint8_t storedFullScreen = fullScreen ? 1 : 0;
    const bool windowed = window != nullptr && window->windowedSize(windowWidth, windowHeight);
    openSettings();
    writeBinarySetting("hasSound", &storedSound, 1);
    // This close also retried whatever could not be stored during the run.
    writeBinarySetting("fullScreen", &storedFullScreen, 1);
    if (windowed) {
        writeDwordSetting("windowWidth", &windowWidth, sizeof windowWidth);
        writeDwordSetting("windowHeight", &windowHeight, sizeof windowHeight);
    }
    closeSettings();
    platform::SettingsStore::reportUnsaved(platform::SettingsStore::defaultPath());
}

int Application::run() {
    lastFrameTime = timeGetTime();
    for (;;) {
        if (messages->peek()) {
            platform::Message message;
            if (!messages->get(message)) return static_cast<int>(message.firstParameter);
            windowProc(message.window, message.message, message.firstParameter, message.secondParameter);
            if (pacer != nullptr) pacer->handled(message);
        } else if (active) {
            if (!(pacer != nullptr ? pacer->runDue() : runFrame())) {
                platform::showErrorMessage(window, translate("Paint Error"),
                                           translate("An unexpected error occurs, the program will now exit."));
                return 1;
            }
            // Sleep until input arrives or the next frame (or picture) is
            // due, rather than asking again and again.
            messages->waitFor(pacer != nullptr ? pacer->timeUntilDue() : timeUntilNextFrame());
        } else {
            messages->wait();
        }
    }
}

int Application::timeUntilNextFrame() {
    const auto elapsed = static_cast<int32_t>(timeGetTime() - lastFrameTime);
    if (elapsed < 0) return frameInterval;
    return elapsed >= frameInterval ? 0 : frameInterval - elapsed;
}

bool Application::runFrame() {
    if (static_cast<int32_t>(timeGetTime() - lastFrameTime) < frameInterval) return true;
    lastFrameTime = timeGetTime();
    if (theRootNode != nullptr) {
        if (!theRootNode->draw()) {
            if (!restoreSurfaces()) return false;
            if (!theRootNode->draw()) return false;
        }
        theRootNode->tick();
    }
    // A sound server restarted under the game: the music comes back by itself.
    if (directSound != nullptr) directSound->keepOutputOpen(lastFrameTime);
    return present();
}
