// Placeholder until the text field lands.
#include "display/text_field.h"

TextField::TextField(Sprite* const& parent_, const int& x_, const int& y_, const int& w, const int& h,
                     const bool& opaque_, const uint32_t& background, const uint32_t& border, const int& borderWidth_,
                     const char* const&, const int& capacity_) {
    init(parent_, x_, y_, nullptr);
    setSize(w, h);
    opaque = opaque_;
    backgroundColour = background;
    borderColour = border;
    borderWidth = borderWidth_;
    capacity = capacity_ > 0 ? capacity_ : 1;
    text = new char[capacity]();
}
TextField::~TextField() { delete[] text; }
void TextField::setText(const char* const&) {}
void TextField::getText(char* const& out, const int& size) {
    if (size > 0) out[0] = 0;
}
void TextField::setCaret(const int&) {}
void TextField::insertChar(const char&) {}
void TextField::deleteBackward() {}
void TextField::deleteForward() {}
void TextField::moveCaretLeft() {}
void TextField::moveCaretRight() {}
bool TextField::drawCaret() { return true; }
bool TextField::draw() { return true; }
void TextField::handleEvent(const int&) {}
