// The bindings of keys and pad buttons, one table for every context.
#include "app/key_actions.h"

#include "app/events.h"

namespace {

struct Binding {
    KeyContext context;
    int keyCode;
    // Only with Shift held; rows without it match with or without Shift.
    bool shifted;
    KeyAction action;
};

// The first row that fits wins, so a shifted row stands before its plain one.
constexpr Binding bindings[] = {
    {KeyContext::Board, KEY_UP, false, KeyAction::Up},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_UP, false, KeyAction::Up},
    {KeyContext::Board, KEY_DOWN, false, KeyAction::Down},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_DOWN, false, KeyAction::Down},
    {KeyContext::Board, KEY_LEFT, false, KeyAction::Left},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_LEFT, false, KeyAction::Left},
    {KeyContext::Board, KEY_RIGHT, false, KeyAction::Right},
    {KeyContext::Board, KEY_GAMEPAD_DPAD_RIGHT, false, KeyAction::Right},
    {KeyContext::Board, 'Z', false, KeyAction::TurnAnticlockwise},
    {KeyContext::Board, KEY_GAMEPAD_A, false, KeyAction::TurnAnticlockwise},
    {KeyContext::Board, 'X', false, KeyAction::TurnClockwise},
    {KeyContext::Board, KEY_GAMEPAD_B, false, KeyAction::TurnClockwise},
    {KeyContext::Board, KEY_SPACE, false, KeyAction::ShowMatches},
    {KeyContext::Board, KEY_GAMEPAD_X, false, KeyAction::ShowMatches},
    {KeyContext::Board, 'P', false, KeyAction::Pause},
    {KeyContext::Board, KEY_PAUSE, false, KeyAction::Pause},
    {KeyContext::Board, KEY_ESCAPE, false, KeyAction::Pause},
    {KeyContext::Board, KEY_GAMEPAD_START, false, KeyAction::Pause},
    {KeyContext::Board, KEY_GAMEPAD_BACK, false, KeyAction::Pause},

    {KeyContext::Menu, KEY_UP, false, KeyAction::Previous},
    {KeyContext::Menu, KEY_GAMEPAD_DPAD_UP, false, KeyAction::Previous},
    {KeyContext::Menu, KEY_TAB, true, KeyAction::Previous},
    {KeyContext::Menu, KEY_DOWN, false, KeyAction::Next},
    {KeyContext::Menu, KEY_GAMEPAD_DPAD_DOWN, false, KeyAction::Next},
    {KeyContext::Menu, KEY_TAB, false, KeyAction::Next},
    {KeyContext::Menu, KEY_RETURN, false, KeyAction::Confirm},
    {KeyContext::Menu, KEY_SPACE, false, KeyAction::Confirm},
    {KeyContext::Menu, KEY_GAMEPAD_A, false, KeyAction::Confirm},

    {KeyContext::Panel, KEY_RETURN, false, KeyAction::Confirm},
    {KeyContext::Panel, KEY_GAMEPAD_A, false, KeyAction::Confirm},
    {KeyContext::Panel, KEY_ESCAPE, false, KeyAction::Close},
    {KeyContext::Panel, KEY_GAMEPAD_BACK, false, KeyAction::Close},
};

}  // namespace

KeyAction keyAction(const KeyContext& context, const int& keyCode, const int& modifiers) {
    const bool shift = (modifiers & MODIFIER_SHIFT) != 0;
    for (const Binding& binding : bindings)
        if (binding.context == context && binding.keyCode == keyCode && (shift || !binding.shifted))
            return binding.action;
    return KeyAction::None;
}

bool isModifierKey(const int& keyCode) {
    return keyCode == KEY_SHIFT || keyCode == KEY_CONTROL || keyCode == KEY_ALT;
}
