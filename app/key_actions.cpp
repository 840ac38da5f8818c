// The bindings of keys and pad buttons, one table for every context.
#include "app/key_actions.h"

#include "app/events.h"

namespace {

struct Binding {
    KeyContext context;
    int keyCode;
    // The MODIFIER_* bits that must be held; others held do not matter.
    int held;
    KeyAction action;
};

// The first row that fits wins, so a row with modifiers stands before its plain one.
constexpr Binding bindings[] = {
    {KeyContext::Board, KEY_UP, 0, KeyAction::Up},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_UP, 0, KeyAction::Up},
    {KeyContext::Board, KEY_DOWN, 0, KeyAction::Down},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_DOWN, 0, KeyAction::Down},
    {KeyContext::Board, KEY_LEFT, 0, KeyAction::Left},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_LEFT, 0, KeyAction::Left},
    {KeyContext::Board, KEY_RIGHT, 0, KeyAction::Right},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_RIGHT, 0, KeyAction::Right},
    {KeyContext::Board, 'Z', 0, KeyAction::TurnAnticlockwise},
    {KeyContext::Board, KEY_GAMEPAD_A, 0, KeyAction::TurnAnticlockwise},
    {KeyContext::Board, 'X', 0, KeyAction::TurnClockwise},
    {KeyContext::Board, KEY_GAMEPAD_B, 0, KeyAction::TurnClockwise},
    {KeyContext::Board, KEY_SPACE, 0, KeyAction::ShowMatches},
    {KeyContext::Board, KEY_GAMEPAD_X, 0, KeyAction::ShowMatches},
    {KeyContext::Board, 'P', 0, KeyAction::Pause},
    {KeyContext::Board, KEY_PAUSE, 0, KeyAction::Pause},
    {KeyContext::Board, KEY_ESCAPE, 0, KeyAction::Pause},
    {KeyContext::Board, KEY_GAMEPAD_START, 0, KeyAction::Pause},
    {KeyContext::Board, KEY_GAMEPAD_BACK, 0, KeyAction::Pause},
    // Two keys at once, so that leaving a game is never a slip of a finger.
    {KeyContext::Board, 'W', MODIFIER_CONTROL, KeyAction::LeaveGame},

    {KeyContext::Menu, KEY_UP, 0, KeyAction::Previous},
    {KeyContext::Menu, KEY_GAMEPAD_DPAD_UP, 0, KeyAction::Previous},
    {KeyContext::Menu, KEY_TAB, MODIFIER_SHIFT, KeyAction::Previous},
    {KeyContext::Menu, KEY_DOWN, 0, KeyAction::Next},
    {KeyContext::Menu, KEY_GAMEPAD_DPAD_DOWN, 0, KeyAction::Next},
    {KeyContext::Menu, KEY_TAB, 0, KeyAction::Next},
    {KeyContext::Menu, KEY_RETURN, 0, KeyAction::Confirm},
    {KeyContext::Menu, KEY_SPACE, 0, KeyAction::Confirm},
    {KeyContext::Menu, KEY_GAMEPAD_A, 0, KeyAction::Confirm},

    {KeyContext::Panel, KEY_RETURN, 0, KeyAction::Confirm},
    {KeyContext::Panel, KEY_GAMEPAD_A, 0, KeyAction::Confirm},
    {KeyContext::Panel, KEY_ESCAPE, 0, KeyAction::Close},
    {KeyContext::Panel, KEY_GAMEPAD_BACK, 0, KeyAction::Close},
};

}  // namespace

KeyAction keyAction(const KeyContext& context, const int& keyCode, const int& modifiers) {
    for (const Binding& binding : bindings)
        if (binding.context == context && binding.keyCode == keyCode && (modifiers & binding.held) == binding.held)
            return binding.action;
    return KeyAction::None;
}

bool isModifierKey(const int& keyCode) {
    return keyCode == KEY_SHIFT || keyCode == KEY_CONTROL || keyCode == KEY_ALT;
}
