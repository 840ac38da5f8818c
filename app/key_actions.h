// The one place that binds keys and pad buttons to what they do on the
// board, in the title menu and in the panels.
#pragma once

enum class KeyAction {
    None,
    Up,
    Down,
    Left,
    Right,
    Next,
    Previous,
    TurnAnticlockwise,
    TurnClockwise,
    ShowMatches,
    Pause,
    Confirm,
    Close,
    // Leaves the game for the title, as the Exit button beside the board.
    LeaveGame,
};

enum class KeyContext { Board, Menu, Panel };

// The action of a key code (with the MODIFIER_* bits held) in a context.
KeyAction keyAction(const KeyContext& context, const int& keyCode, const int& modifiers);

// Shift, Control and Alt: pressed alone they stand for nothing.
bool isModifierKey(const int& keyCode);
