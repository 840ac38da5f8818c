// The SDL window's event pump: SDL events turned into window messages.
#include "platform/window/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "app/events.h"
#include "platform/loop/clock.h"
#include "platform/window/sdl_keys.h"
#include "platform/window/letterbox.h"

namespace platform {

namespace {

// Keys whose press the keyboard translation also turns into a character.
bool typesControlCharacter(int virtualKeyCode) {
    return virtualKeyCode == KEY_BACKSPACE || virtualKeyCode == KEY_TAB || virtualKeyCode == KEY_RETURN ||
           virtualKeyCode == KEY_ESCAPE;
}

uintptr_t keyStateBit(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return KEY_STATE_LEFT;
        case SDL_BUTTON_RIGHT: return KEY_STATE_RIGHT;
        case SDL_BUTTON_MIDDLE: return KEY_STATE_MIDDLE;
        default: return 0;
    }
}

// The key-state word of an SDL button mask.
uintptr_t keyStateOf(uint32_t buttonMask) {
    uintptr_t bits = 0;
    for (uint8_t button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE}) {
        if ((buttonMask & SDL_BUTTON(button)) != 0) bits |= keyStateBit(button);
    }
    return bits;
}

// The buttons the system holds down now. SDL's own record misses a release
// that came while the window was off the screen; the global state asks the
// display server itself.
uint32_t systemButtons() { return SDL_GetGlobalMouseState(nullptr, nullptr); }

// Buttons whose release already waits in the queue, not preceded there by a
// new press of the same button: they were still down at the event in hand.
uintptr_t releasesWaiting() {
    SDL_PumpEvents();
    SDL_Event waiting[32];
    const int count = SDL_PeepEvents(waiting, 32, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP);
    uintptr_t pressedAgain = 0;
    uintptr_t released = 0;
    for (int i = 0; i < count; ++i) {
        const uintptr_t bit = keyStateBit(waiting[i].button.button);
        if (waiting[i].type == SDL_MOUSEBUTTONDOWN) pressedAgain |= bit;
        else released |= bit & ~pressedAgain;
    }
    return released;
}

uint32_t buttonMessage(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return MESSAGE_LEFT_BUTTON_DOWN;
        case SDL_BUTTON_RIGHT: return MESSAGE_RIGHT_BUTTON_DOWN;
        case SDL_BUTTON_MIDDLE: return MESSAGE_MIDDLE_BUTTON_DOWN;
        default: return 0;
    }
}

// Decodes UTF-8 text into code points; malformed bytes are skipped.
std::vector<uint32_t> codePoints(const char* text) {
    std::vector<uint32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        int extra = 0;
        uint32_t cp = *p;
        if (cp >= 0xF0 && cp < 0xF8) {
            extra = 3;
            cp &= 0x07;
        } else if (cp >= 0xE0) {
            extra = 2;
            cp &= 0x0F;
        } else if (cp >= 0xC0) {
            extra = 1;
            cp &= 0x1F;
        } else if (cp >= 0x80) {
            ++p;
            continue;
        }
        ++p;
        bool whole = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                whole = false;
                break;
            }
            cp = (cp << 6) | (*p & 0x3F);
        }
        if (whole) out.push_back(cp);
    }
    return out;
}

// The MODIFIER_* bits of SDL's modifier state.
intptr_t modifiersOf(uint16_t mod) {
    intptr_t bits = 0;
    if ((mod & KMOD_SHIFT) != 0) bits |= MODIFIER_SHIFT;
    if ((mod & KMOD_CTRL) != 0) bits |= MODIFIER_CONTROL;
    if ((mod & KMOD_ALT) != 0) bits |= MODIFIER_ALT;
    return bits;
}

}  // namespace

void SdlWindow::pollEvents(MessageQueue& queue) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) translate(event, queue);
    postFocusLossIfNotMinimised(queue);
}

void SdlWindow::waitEvents(MessageQueue& queue, int timeoutMilliseconds) {
    SDL_Event event;
    const int got = timeoutMilliseconds < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMilliseconds);
    if (got != 0) translate(event, queue);
    pollEvents(queue);
}

void SdlWindow::postFocusLossIfNotMinimised(MessageQueue& queue) {
    // A window manager that minimises does so at once; one that has not
    // within this time never will, and the game is told of the focus loss.
    constexpr Uint32 minimiseWait = 250;
    if (!minimiseAsked_ || focusLossPosted_) return;
    if (!SDL_TICKS_PASSED(SDL_GetTicks(), minimiseAskedAt_ + minimiseWait)) return;
    post(queue, MESSAGE_KILL_FOCUS, 0, 0);
    focusLossPosted_ = true;
}

void SdlWindow::post(MessageQueue& queue, uint32_t message, uintptr_t first, intptr_t second) {
    queue.post(Message{this, message, first, second, eventTime_});
}

intptr_t SdlWindow::picturePosition(int x, int y) const {
    // The same geometry as the presenter's, so a click lands on the pixel
    // shown under it; positions over the letterbox bars are pulled onto the
    // picture's edge.
    int outputWidth = 0, outputHeight = 0;
    outputSize(outputWidth, outputHeight);
    const PicturePoint point = pictureFromOutput(x, y, outputWidth, outputHeight, width_, height_);
    return packPosition(point.x, point.y);
}

void SdlWindow::postDestroyOnce(MessageQueue& queue) {
    // Closing the last window also makes SDL quit: one destroy is enough.
    if (!destroyPosted_) post(queue, MESSAGE_DESTROY, 0, 0);
    destroyPosted_ = true;
}

void SdlWindow::translateWindowEvent(const SDL_WindowEvent& windowEvent, MessageQueue& queue) {
    const intptr_t size = packPosition(width_, height_);
    switch (windowEvent.event) {
        case SDL_WINDOWEVENT_CLOSE: postDestroyOnce(queue); break;
        case SDL_WINDOWEVENT_MINIMIZED:
            // SDL takes the window back to full screen when it is restored.
            minimiseAsked_ = false;
            post(queue, MESSAGE_SIZE, SIZE_MINIMIZED, 0);
            break;
        case SDL_WINDOWEVENT_RESTORED: post(queue, MESSAGE_SIZE, SIZE_RESTORED, size); break;
        case SDL_WINDOWEVENT_MAXIMIZED: post(queue, MESSAGE_SIZE, SIZE_MAXIMIZED, size); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // SDL has taken the full-screen window out of full screen to ask
            // the window manager to minimise it. A minimise stops the game by
            // itself; the focus loss is told only if none comes.
            if (fullScreen_ && onX11_) {
                minimiseAsked_ = true;
                minimiseAskedAt_ = SDL_GetTicks();
                focusLossPosted_ = false;
            } else {
                post(queue, MESSAGE_KILL_FOCUS, 0, 0);
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // A window manager that never minimises left the window out of
            // full screen.
            if (minimiseAsked_ && fullScreen_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) == 0)
                returnToFullScreen();
            minimiseAsked_ = false;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            // Only a plain window's size that the player gave it is the one
            // to open at next time. A compositor may size the game's
            // full-screen window before SDL counts it as full screen.
            const Uint32 otherStates = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED;
            const bool plain = !fullScreen_ && (SDL_GetWindowFlags(window_) & otherStates) == 0;
            const bool answer = !SDL_TICKS_PASSED(windowEvent.timestamp, answersUntil_);
            if (plain && !answer) noteWindowedSize(windowEvent.data1, windowEvent.data2);
            break;
        }
        default: break;
    }
    // The window system may have dropped or moved what was shown.
    const uint8_t id = windowEvent.event;
    if (id == SDL_WINDOWEVENT_EXPOSED || id == SDL_WINDOWEVENT_SHOWN || id == SDL_WINDOWEVENT_RESTORED ||
        id == SDL_WINDOWEVENT_MAXIMIZED || id == SDL_WINDOWEVENT_SIZE_CHANGED) {
        showAll_ = true;
    }
}

uintptr_t SdlWindow::buttonsHeldAtPress(uint8_t button) {
    const uintptr_t pressed = keyStateBit(button);
    // Of the buttons pressed before, only those the system confirms are
    // down: a lost release cannot leave a button held for good.
    uintptr_t earlier = heldButtons_ & ~pressed;
    if (earlier != 0) {
        const uint32_t heldNow = readHeldButtons_ != nullptr ? readHeldButtons_() : systemButtons();
        earlier &= keyStateOf(heldNow) | releasesWaiting();
    }
    heldButtons_ = earlier | pressed;
    return heldButtons_;
}

void SdlWindow::translate(const SDL_Event& event, MessageQueue& queue) {
    // SDL stamps events on its own clock: the event's age carries it over.
    const uint32_t age = SDL_GetTicks() - event.common.timestamp;
    eventTime_ = Clock::current().milliseconds() - (static_cast<int32_t>(age) > 0 ? age : 0);
    switch (event.type) {
        case SDL_QUIT: postDestroyOnce(queue); break;
        case SDL_WINDOWEVENT: translateWindowEvent(event.window, queue); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int code = virtualKeyCode(event.key.keysym.sym, event.key.keysym.scancode);
            const bool down = event.type == SDL_KEYDOWN;
            post(queue, down ? MESSAGE_KEY_DOWN : MESSAGE_KEY_UP, static_cast<uintptr_t>(code),
                 modifiersOf(event.key.keysym.mod));
            // These keys type no text, but the platform's keyboard translation
            // also makes a character of them, unless Alt is held.
            if (down && typesControlCharacter(code) && (event.key.keysym.mod & KMOD_ALT) == 0) {
                post(queue, MESSAGE_CHAR, static_cast<uintptr_t>(code), 0);
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (uint32_t cp : codePoints(event.text.text)) {
                if (cp >= 0x20 && cp <= 0xFF) post(queue, MESSAGE_CHAR, cp, 0);
            }
            break;
        case SDL_MOUSEMOTION:
            pointer_ = picturePosition(event.motion.x, event.motion.y);
            post(queue, MESSAGE_MOUSE_MOVE, keyStateOf(event.motion.state), pointer_);
            break;
        case SDL_MOUSEBUTTONDOWN: {
            const uint32_t message = buttonMessage(event.button.button);
            if (message == 0) break;
            pointer_ = picturePosition(event.button.x, event.button.y);
            post(queue, message, buttonsHeldAtPress(event.button.button), pointer_);
            break;
        }
        case SDL_MOUSEWHEEL: {
            const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (notches == 0) break;
            // The turn goes in the high word, as a signed 16-bit count of 120ths.
            const int delta = std::clamp(notches, -INT16_MAX / WHEEL_DELTA, INT16_MAX / WHEEL_DELTA) * WHEEL_DELTA;
            post(queue, MESSAGE_MOUSE_WHEEL, static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16, pointer_);
            break;
        }
        case SDL_MOUSEBUTTONUP: heldButtons_ &= ~keyStateBit(event.button.button); break;
        default:
            // Pad buttons are keys without modifiers and type no characters.
            for (const SdlGamepads::KeyChange& change : gamepads_.translate(event))
                post(queue, change.down ? MESSAGE_KEY_DOWN : MESSAGE_KEY_UP, static_cast<uintptr_t>(change.key), 0);
            break;
    }
}

}  // namespace platform
