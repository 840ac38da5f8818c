// Event codes, input constants and the window messages the event pump delivers.
#pragma once

#include <cstdint>

// The argument of Sprite::handleEvent: a reference to one of these codes.
using Event = int32_t;

constexpr Event EVENT_MOUSE_MOVE = 1;
constexpr Event EVENT_MOUSE_DOWN = 2;
constexpr Event EVENT_KEY_DOWN = 3;
constexpr Event EVENT_KEY_UP = 4;
constexpr Event EVENT_CHAR = 5;
// The shell asks the game to pause: the window lost the keyboard focus.
constexpr Event EVENT_PAUSE = 6;
// The mouse wheel turned over the window: Application::wheelSteps notches,
// positive away from the user, at the pointer's mouseX and mouseY.
constexpr Event EVENT_MOUSE_WHEEL = 7;

// Bits of Application::mouseButtons.
constexpr int BUTTON_LEFT = 1;
constexpr int BUTTON_RIGHT = 2;
constexpr int BUTTON_MIDDLE = 4;

// Virtual-key codes, with the values of the Win32 virtual keys.
constexpr int KEY_BACKSPACE = 0x08;
constexpr int KEY_TAB = 0x09;
constexpr int KEY_RETURN = 0x0D;
constexpr int KEY_ESCAPE = 0x1B;
constexpr int KEY_SPACE = 0x20;
constexpr int KEY_LEFT = 0x25;
constexpr int KEY_UP = 0x26;
constexpr int KEY_RIGHT = 0x27;
constexpr int KEY_DOWN = 0x28;
constexpr int KEY_DELETE = 0x2E;
constexpr int KEY_SHIFT = 0x10;
constexpr int KEY_CONTROL = 0x11;
constexpr int KEY_ALT = 0x12;
constexpr int KEY_PAUSE = 0x13;
constexpr int KEY_F11 = 0x7A;

// Game controller buttons arrive as key presses with these codes; the left
// stick arrives as the d-pad.
constexpr int KEY_GAMEPAD_A = 0xC3;
constexpr int KEY_GAMEPAD_B = 0xC4;
constexpr int KEY_GAMEPAD_X = 0xC5;
constexpr int KEY_GAMEPAD_Y = 0xC6;
constexpr int KEY_GAMEPAD_DPAD_UP = 0xCB;
constexpr int KEY_GAMEPAD_DPAD_DOWN = 0xCC;
constexpr int KEY_GAMEPAD_DPAD_LEFT = 0xCD;
constexpr int KEY_GAMEPAD_DPAD_RIGHT = 0xCE;
constexpr int KEY_GAMEPAD_START = 0xCF;
constexpr int KEY_GAMEPAD_BACK = 0xD0;

// Bits of Application::keyModifiers: the modifier keys held at a key message,
// carried in the message's second parameter.
constexpr int MODIFIER_SHIFT = 1;
constexpr int MODIFIER_CONTROL = 2;
constexpr int MODIFIER_ALT = 4;

// Window messages, numbered as on Windows, carried from the event pump to windowProc.
constexpr uint32_t MESSAGE_DESTROY = 0x0002;
constexpr uint32_t MESSAGE_SIZE = 0x0005;
constexpr uint32_t MESSAGE_KILL_FOCUS = 0x0008;
constexpr uint32_t MESSAGE_KEY_DOWN = 0x0100;
constexpr uint32_t MESSAGE_KEY_UP = 0x0101;
constexpr uint32_t MESSAGE_CHAR = 0x0102;
constexpr uint32_t MESSAGE_MOUSE_MOVE = 0x0200;
constexpr uint32_t MESSAGE_LEFT_BUTTON_DOWN = 0x0201;
constexpr uint32_t MESSAGE_RIGHT_BUTTON_DOWN = 0x0204;
constexpr uint32_t MESSAGE_MIDDLE_BUTTON_DOWN = 0x0207;
// The wheel's turn in the high 16 bits of the first parameter, signed, 120 a
// notch (WHEEL_DELTA), positive away from the user; the position in the second.
constexpr uint32_t MESSAGE_MOUSE_WHEEL = 0x020A;
constexpr int WHEEL_DELTA = 120;
constexpr uint32_t MESSAGE_QUIT = 0x0012;

// Size types of MESSAGE_SIZE.
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;

// The key-state word of a button message: the buttons held at that moment.
constexpr uintptr_t KEY_STATE_LEFT = 0x0001;
constexpr uintptr_t KEY_STATE_RIGHT = 0x0002;
constexpr uintptr_t KEY_STATE_MIDDLE = 0x0010;

// A mouse position packed as the message's second parameter: x in the low
// 16 bits, y in the high 16 bits.
constexpr intptr_t packPosition(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}
