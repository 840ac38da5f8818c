// A player's keys, pointer and pad for the application tests: SDL events put
// on SDL's queue and dispatched at once through the event pump and the
// message loop's dispatch, as the loop does between frames.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstring>

#include "app/application.h"
#include "platform/loop/message_queue.h"
#include "platform/window/window.h"

namespace sdl_input {

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

inline bool push(SDL_Event event) {
    event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(theApplication->window->nativeHandle()));
    SDL_PushEvent(&event);
    return deliver();
}

inline SDL_Event event(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}

inline bool key(SDL_Keycode symbol, bool down = true, Uint16 modifiers = KMOD_NONE) {
    SDL_Event e = event(down ? SDL_KEYDOWN : SDL_KEYUP);
    e.key.keysym.sym = symbol;
    e.key.keysym.mod = modifiers;
    return push(e);
}

inline bool tap(SDL_Keycode symbol, Uint16 modifiers = KMOD_NONE) {
    const bool pressed = key(symbol, true, modifiers);
    return key(symbol, false, modifiers) && pressed;
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
inline bool pad(int code, uint32_t message = MESSAGE_KEY_DOWN) {
    theApplication->messages->post({theApplication->window, message, static_cast<uintptr_t>(code), 0});
    return deliver();
}

}  // namespace sdl_input
