// The SDL window's event pump: SDL events turned into window messages.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <vector>

#include "app/events.h"
#include "platform/letterbox.h"

namespace platform {

namespace {

// The Windows virtual-key code of an SDL key, or 0 for keys without one.
int virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_BACKSPACE: return KEY_BACKSPACE;
        case SDLK_TAB: return KEY_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KEY_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 0x11;
        case SDLK_LALT:
        case SDLK_RALT: return 0x12;
        case SDLK_PAUSE: return 0x13;
        case SDLK_CAPSLOCK: return 0x14;
        case SDLK_ESCAPE: return KEY_ESCAPE;
        case SDLK_SPACE: return KEY_SPACE;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return KEY_LEFT;
        case SDLK_UP: return KEY_UP;
        case SDLK_RIGHT: return KEY_RIGHT;
        case SDLK_DOWN: return KEY_DOWN;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return KEY_DELETE;
        case SDLK_KP_0: return 0x60;
        default: return 0;
    }
}

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
}

void SdlWindow::waitEvents(MessageQueue& queue, int timeoutMilliseconds) {
    SDL_Event event;
    const int got = timeoutMilliseconds < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMilliseconds);
    if (got == 0) return;
    translate(event, queue);
    pollEvents(queue);
}

void SdlWindow::post(MessageQueue& queue, uint32_t message, uintptr_t first, intptr_t second) {
    queue.post(Message{this, message, first, second});
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

void SdlWindow::translateWindowEvent(uint8_t windowEvent, MessageQueue& queue) {
    const intptr_t size = packPosition(width_, height_);
    switch (windowEvent) {
        case SDL_WINDOWEVENT_CLOSE: postDestroyOnce(queue); break;
        case SDL_WINDOWEVENT_MINIMIZED: post(queue, MESSAGE_SIZE, SIZE_MINIMIZED, 0); break;
        case SDL_WINDOWEVENT_RESTORED: post(queue, MESSAGE_SIZE, SIZE_RESTORED, size); break;
        case SDL_WINDOWEVENT_MAXIMIZED: post(queue, MESSAGE_SIZE, SIZE_MAXIMIZED, size); break;
        default: break;
    }
    // The window system may have dropped or moved what was shown.
    if (windowEvent == SDL_WINDOWEVENT_EXPOSED || windowEvent == SDL_WINDOWEVENT_SHOWN ||
        windowEvent == SDL_WINDOWEVENT_RESTORED || windowEvent == SDL_WINDOWEVENT_MAXIMIZED ||
        windowEvent == SDL_WINDOWEVENT_SIZE_CHANGED) {
        showAll_ = true;
    }
}

void SdlWindow::translate(const SDL_Event& event, MessageQueue& queue) {
    switch (event.type) {
        case SDL_QUIT: postDestroyOnce(queue); break;
        case SDL_WINDOWEVENT: translateWindowEvent(event.window.event, queue); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int code = virtualKey(event.key.keysym.sym);
            if (code == 0) break;
            const bool down = event.type == SDL_KEYDOWN;
            post(queue, down ? MESSAGE_KEY_DOWN : MESSAGE_KEY_UP, static_cast<uintptr_t>(code),
                 modifiersOf(event.key.keysym.mod));
            // These keys type no text, but the platform's keyboard translation
            // also makes a character of them.
            if (down && typesControlCharacter(code)) post(queue, MESSAGE_CHAR, static_cast<uintptr_t>(code), 0);
            break;
        }
        case SDL_TEXTINPUT:
            for (uint32_t cp : codePoints(event.text.text)) {
                if (cp >= 0x20 && cp <= 0xFF) post(queue, MESSAGE_CHAR, cp, 0);
            }
            break;
        case SDL_MOUSEMOTION:
            post(queue, MESSAGE_MOUSE_MOVE, heldButtons_, picturePosition(event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN: {
            const uint32_t message = buttonMessage(event.button.button);
            if (message == 0) break;
            heldButtons_ |= keyStateBit(event.button.button);
            post(queue, message, heldButtons_, picturePosition(event.button.x, event.button.y));
            break;
        }
        case SDL_MOUSEBUTTONUP: heldButtons_ &= ~keyStateBit(event.button.button); break;
        default: break;
    }
}

}  // namespace platform
