// SDL keys turned into the virtual-key codes that key messages carry.
#pragma once

#include <cstdint>

namespace platform {

// Keys with no Windows code of their own get one here: this base plus the
// key's SDL scancode, above every Windows code.
constexpr int KEY_CODE_OF_SCANCODE = 0x100;

// The Windows virtual-key code of an SDL key (its SDL_Keycode and
// SDL_Scancode) where Windows has one, else KEY_CODE_OF_SCANCODE plus the
// scancode. Never 0: every key press is a key message.
int virtualKeyCode(int32_t keycode, int32_t scancode);

}  // namespace platform
