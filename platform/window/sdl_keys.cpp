// The SDL key to virtual-key table: Windows codes where Windows has them,
// a code of the key's own for every other key.
#include "platform/window/sdl_keys.h"

#include <SDL.h>

#include <initializer_list>

#include "app/events.h"

namespace platform {

namespace {

// Keys Windows names by the character they type on a US keyboard; on other
// layouts the same characters get the same codes.
int punctuationKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_SEMICOLON: return 0xBA;     // VK_OEM_1
        case SDLK_EQUALS:
        case SDLK_PLUS: return 0xBB;          // VK_OEM_PLUS
        case SDLK_COMMA: return 0xBC;         // VK_OEM_COMMA
        case SDLK_MINUS: return 0xBD;         // VK_OEM_MINUS
        case SDLK_PERIOD: return 0xBE;        // VK_OEM_PERIOD
        case SDLK_SLASH: return 0xBF;         // VK_OEM_2
        case SDLK_BACKQUOTE: return 0xC0;     // VK_OEM_3
        case SDLK_LEFTBRACKET: return 0xDB;   // VK_OEM_4
        case SDLK_BACKSLASH: return 0xDC;     // VK_OEM_5
        case SDLK_RIGHTBRACKET: return 0xDD;  // VK_OEM_6
        case SDLK_QUOTE: return 0xDE;         // VK_OEM_7
        case SDLK_LESS: return 0xE2;          // VK_OEM_102, the extra key of European keyboards
        default: return 0;
    }
}

int keypadKey(SDL_Keycode key) {
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_KP_0: return 0x60;
        case SDLK_KP_MULTIPLY: return 0x6A;
        case SDLK_KP_PLUS: return 0x6B;
        case SDLK_KP_COMMA: return 0x6C;  // VK_SEPARATOR
        case SDLK_KP_MINUS: return 0x6D;
        case SDLK_KP_PERIOD:
        case SDLK_KP_DECIMAL: return 0x6E;
        case SDLK_KP_DIVIDE: return 0x6F;
        case SDLK_KP_ENTER: return KEY_RETURN;
        default: return 0;
    }
}

int controlKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_CANCEL: return 0x03;
        case SDLK_BACKSPACE: return KEY_BACKSPACE;
        case SDLK_TAB: return KEY_TAB;
        case SDLK_CLEAR: return 0x0C;
        case SDLK_RETURN: return KEY_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return KEY_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return KEY_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT: return KEY_ALT;
        case SDLK_PAUSE: return KEY_PAUSE;
        case SDLK_CAPSLOCK: return 0x14;
        case SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_LANG1): return 0x15;  // VK_HANGUL
        case SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_LANG2): return 0x19;  // VK_HANJA
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
        case SDLK_SELECT: return 0x29;
        case SDLK_EXECUTE: return 0x2B;
        case SDLK_PRINTSCREEN: return 0x2C;  // VK_SNAPSHOT
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return KEY_DELETE;
        case SDLK_HELP: return 0x2F;
        case SDLK_LGUI: return 0x5B;  // VK_LWIN
        case SDLK_RGUI: return 0x5C;  // VK_RWIN
        case SDLK_APPLICATION:
        case SDLK_MENU: return 0x5D;  // VK_APPS
        case SDLK_SLEEP: return 0x5F;
        case SDLK_NUMLOCKCLEAR: return 0x90;
        case SDLK_SCROLLLOCK: return 0x91;
        case SDLK_CRSEL: return 0xF7;
        case SDLK_EXSEL: return 0xF8;
        default: return 0;
    }
}

// Browser, volume, media and launch keys.
int applicationKey(SDL_Keycode key) {
    switch (key) {
        case SDLK_AC_BACK: return 0xA6;
        case SDLK_AC_FORWARD: return 0xA7;
        case SDLK_AC_REFRESH: return 0xA8;
        case SDLK_AC_STOP: return 0xA9;
        case SDLK_AC_SEARCH: return 0xAA;
        case SDLK_AC_BOOKMARKS: return 0xAB;
        case SDLK_AC_HOME: return 0xAC;
        case SDLK_AUDIOMUTE:
        case SDLK_MUTE: return 0xAD;
        case SDLK_VOLUMEDOWN: return 0xAE;
        case SDLK_VOLUMEUP: return 0xAF;
        case SDLK_AUDIONEXT: return 0xB0;
        case SDLK_AUDIOPREV: return 0xB1;
        case SDLK_AUDIOSTOP: return 0xB2;
        case SDLK_AUDIOPLAY: return 0xB3;
        case SDLK_MAIL: return 0xB4;
        case SDLK_MEDIASELECT: return 0xB5;
        case SDLK_COMPUTER: return 0xB6;    // VK_LAUNCH_APP1
        case SDLK_CALCULATOR: return 0xB7;  // VK_LAUNCH_APP2
        default: return 0;
    }
}

}  // namespace

int virtualKeyCode(int32_t keycode, int32_t scancode) {
    const SDL_Keycode key = keycode;
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return 0x7C + (key - SDLK_F13);
    for (int (*table)(SDL_Keycode) : {controlKey, punctuationKey, keypadKey, applicationKey}) {
        const int code = table(key);
        if (code != 0) return code;
    }
    // Letters of other alphabets, dead keys, keys Windows has no name for.
    if (scancode <= 0 || scancode >= SDL_NUM_SCANCODES) return KEY_CODE_OF_SCANCODE;
    return KEY_CODE_OF_SCANCODE + scancode;
}

}  // namespace platform
