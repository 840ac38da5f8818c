// A player's keys, pointer and pad for the application tests: SDL events put
// on SDL's queue for the event pump, and the message loop's dispatch.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstring>

#include "app/application.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace sdl_input {

inline SDL_Window* nativeWindow() { return static_cast<SDL_Window*>(theApplication->window->nativeHandle()); }

inline void push(SDL_Event event) {
    event.window.windowID = SDL_GetWindowID(nativeWindow());
    SDL_PushEvent(&event);
}

inline SDL_Event event(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}

inline void key(SDL_Keycode symbol, bool down, Uint16 modifiers = KMOD_NONE) {
    SDL_Event e = event(down ? SDL_KEYDOWN : SDL_KEYUP);
    e.key.keysym.sym = symbol;
    e.key.keysym.mod = modifiers;
    push(e);
}

inline void tap(SDL_Keycode symbol, Uint16 modifiers = KMOD_NONE) {
    key(symbol, true, modifiers);
    key(symbol, false, modifiers);
}

inline void type(const char* text) {
    SDL_Event e = event(SDL_TEXTINPUT);
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    push(e);
}

// A move to window position (x, y), then a press and release of the button
// if one is given.
inline void mouse(int x, int y, Uint8 button = 0) {
    SDL_Event e = event(SDL_MOUSEMOTION);
    e.motion.x = x, e.motion.y = y;
    push(e);
    if (button == 0) return;
    for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        e = event(type);
        e.button.button = button, e.button.x = x, e.button.y = y;
        push(e);
    }
}

inline void wheel(int notches) {
    SDL_Event e = event(SDL_MOUSEWHEEL);
    e.wheel.y = notches;
    push(e);
}

// Pad buttons come from the controller layer as key messages.
inline void pad(int code, uint32_t message = MESSAGE_KEY_DOWN) {
    theApplication->messages->post({theApplication->window, message, static_cast<uintptr_t>(code), 0});
}

// Dispatches every waiting message as the loop does; false once the quit
// message came.
inline bool deliver() {
    platform::Message message;
    while (theApplication->messages->peek()) {
        if (!theApplication->messages->get(message)) return false;
        windowProc(message.window, message.message, message.firstParameter, message.secondParameter);
    }
    return true;
}

}  // namespace sdl_input
