// The main window, its switch between full screen and a window, and the
// window procedure that turns its messages into input state and events for
// the node tree, keeping the shell's own shortcut keys.
#include "app/application.h"

#include "display/sprite.h"
#include "platform/sound/audio_device.h"
#include "platform/loop/message_queue.h"
#include "platform/window/window.h"

bool Application::createWindow(void* const&, const int& showCommand) {
    platform::WindowOptions options;
    options.fullScreen = fullScreen;
    options.width = width;
    options.height = height;
    options.windowWidth = windowWidth;
    options.windowHeight = windowHeight;
    options.title = "Quadrimo";
    options.iconFile = "icon.bmp";
    window = platform::Window::create(options);
    if (window == nullptr) return false;
    messages->setSource(window);
    window->show(showCommand);
    // The window's client area: the picture's size or a whole multiple of it
    // that suits the desktop, or the size the player last gave it.
    window->windowedSize(windowWidth, windowHeight);
    if (!fullScreen) resizeClient(windowWidth, windowHeight);
    return true;
}

void Application::switchFullScreen() {
    if (window != nullptr && window->setFullScreen(!fullScreen)) fullScreen = !fullScreen;
}

void Application::resizeClient(const int& clientWidth, const int& clientHeight) {
    if (window != nullptr && !fullScreen) window->resizeClient(clientWidth, clientHeight);
}

void Application::closeWindow() {
    if (window == nullptr || window->isDestroyed()) return;
    window->destroy();
    windowProc(window, MESSAGE_DESTROY, 0, 0);
}

namespace {

void sendToRoot(Event event) {
    if (theRootNode != nullptr) theRootNode->handleEvent(event);
}

void storePosition(Application& application, intptr_t position) {
    const auto word = static_cast<uint32_t>(position);
    application.mouseX = static_cast<int>(word & 0xFFFF);
    application.mouseY = static_cast<int>((word >> 16) & 0xFFFF);
}

// The shell's own keys: F11 and Alt+Enter switch between full screen and a
// window, Ctrl+Q quits as the close box does. Such a key, its repeats and its
// release are handled here and never reach the game. True when handled.
bool takeShortcut(Application& application, uint32_t message, int key, int modifiers) {
    if (message == MESSAGE_KEY_UP) {
        if (key != application.shortcutKeyHeld) return false;
        application.shortcutKeyHeld = 0;
        return true;
    }
    if (key == application.shortcutKeyHeld) return true;
    const bool switchKey = key == KEY_F11 || (key == KEY_RETURN && (modifiers & MODIFIER_ALT) != 0);
    const bool quitKey = key == 'Q' && (modifiers & MODIFIER_CONTROL) != 0;
    if (!switchKey && !quitKey) return false;
    application.shortcutKeyHeld = key;
    if (switchKey) {
        application.switchFullScreen();
    } else {
        application.closeWindow();
    }
    return true;
}

int buttonsOf(uintptr_t keyState) {
    int buttons = 0;
    if ((keyState & KEY_STATE_LEFT) != 0) buttons |= BUTTON_LEFT;
    if ((keyState & KEY_STATE_RIGHT) != 0) buttons |= BUTTON_RIGHT;
    if ((keyState & KEY_STATE_MIDDLE) != 0) buttons |= BUTTON_MIDDLE;
    return buttons;
}

}  // namespace

long windowProc(platform::Window* const&, const uint32_t& message, const uintptr_t& firstParameter,
                const intptr_t& secondParameter) {
    Application* application = theApplication;
    switch (message) {
        case MESSAGE_DESTROY:
            if (application != nullptr && application->messages != nullptr) application->messages->postQuit(0);
            return 0;
        case MESSAGE_SIZE:
            if (application != nullptr) {
                application->active = firstParameter != SIZE_MINIMIZED;
                // No frame refills the music while minimised: the output
                // would play its last buffer round and round.
                if (application->directSound != nullptr) application->directSound->pauseOutput(!application->active);
            }
            return 0;
        case MESSAGE_KILL_FOCUS:
            if (application == nullptr) return 0;
            // A shortcut key released elsewhere is not seen released here.
            application->shortcutKeyHeld = 0;
            // Switching away pauses the game, in full screen too: not every
            // window manager minimises a full-screen window that lost the focus.
            sendToRoot(EVENT_PAUSE);
            return 0;
        case MESSAGE_KEY_DOWN:
        case MESSAGE_KEY_UP:
            if (application != nullptr && takeShortcut(*application, message, static_cast<int>(firstParameter),
                                                       static_cast<int>(secondParameter))) {
                return 0;
            }
            if (application != nullptr) {
                application->keyCode = static_cast<int>(firstParameter);
                application->keyModifiers = static_cast<int>(secondParameter);
            }
            sendToRoot(message == MESSAGE_KEY_DOWN ? EVENT_KEY_DOWN : EVENT_KEY_UP);
            return 0;
        case MESSAGE_CHAR:
            if (application != nullptr) application->charCode = static_cast<int>(firstParameter);
            sendToRoot(EVENT_CHAR);
            return 0;
        case MESSAGE_MOUSE_MOVE:
            if (application != nullptr) storePosition(*application, secondParameter);
            sendToRoot(EVENT_MOUSE_MOVE);
            return 0;
        case MESSAGE_LEFT_BUTTON_DOWN:
        case MESSAGE_RIGHT_BUTTON_DOWN:
        case MESSAGE_MIDDLE_BUTTON_DOWN:
            if (application != nullptr) {
                storePosition(*application, secondParameter);
                application->mouseButtons = buttonsOf(firstParameter);
            }
            sendToRoot(EVENT_MOUSE_DOWN);
            return 0;
        case MESSAGE_MOUSE_WHEEL: {
            // The event pump sends whole notches; anything less is dropped.
            const int steps = static_cast<int16_t>(firstParameter >> 16 & 0xFFFF) / WHEEL_DELTA;
            if (steps == 0) return 0;
            if (application != nullptr) {
                storePosition(*application, secondParameter);
                application->wheelSteps = steps;
            }
            sendToRoot(EVENT_MOUSE_WHEEL);
            return 0;
        }
        default:
            // Nothing else needs the default handling here: closing the
            // window already arrives as destroy.
            return 0;
    }
}
