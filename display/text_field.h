// A one-line box in which the player types a name, with a blinking caret.
#pragma once

#include <cstdint>

#include "display/sprite.h"

class TextField : public Sprite {
public:
    TextField(Sprite* const& parent, const int& x, const int& y, const int& width, const int& height,
              const bool& opaque, const uint32_t& backgroundColour, const uint32_t& borderColour,
              const int& borderWidth, const char* const& initialText, const int& capacity);
    ~TextField() override;

    void setText(const char* const& s);
    void getText(char* const& out, const int& size);
    void setCaret(const int& position);
    void insertChar(const char& c);
    void deleteBackward();
    void deleteForward();
    void moveCaretLeft();
    void moveCaretRight();
    bool drawCaret();
    bool draw() override;
    void handleEvent(const int& event) override;

    bool opaque = false;
    uint32_t backgroundColour = 0;
    uint32_t borderColour = 0;
    int borderWidth = 0;
    int margin = 5;
    char* text = nullptr;
    int capacity = 0;
    int caret = 0;
    int caretX = 5;
    int textAlignment = 0;

    // One blink state for every field: flipped on each caret draw, so the
    // caret shows on every second frame.
    static bool caretBlinkOn;
};
