// A one-line box in which the player types a name, with a blinking caret;
// it scrolls by right-aligning the text before the caret once that outgrows it.
#include "display/text_field.h"

#include <cstring>

#include "app/application.h"

namespace {

constexpr const char* TEXT_FACE = "Arial";
// The caret position is measured at this height, whatever the field's height.
constexpr int MEASURE_HEIGHT = 16;
constexpr uint32_t TEXT_COLOUR = 0x000000;
constexpr uint32_t CARET_COLOUR = 0x000000;
constexpr int ALIGN_TEXT_LEFT = 0;
constexpr int ALIGN_TEXT_RIGHT = 2;

}  // namespace

bool TextField::caretBlinkOn = false;

TextField::TextField(Sprite* const& parent_, const int& x_, const int& y_, const int& w, const int& h,
                     const bool& opaque_, const uint32_t& background, const uint32_t& border, const int& borderWidth_,
                     const char* const& initialText, const int& capacity_) {
    init(parent_, x_, y_, nullptr);
    setSize(w, h);
    opaque = opaque_;
    backgroundColour = background;
    borderColour = border;
    borderWidth = borderWidth_;
    margin = 5;
    caret = 0;
    caretX = margin;
    textAlignment = ALIGN_TEXT_LEFT;
    // Room for the terminating zero at least, so the text is always a string.
    capacity = capacity_ > 0 ? capacity_ : 1;
    text = new char[capacity]();
    setText(initialText);
}

TextField::~TextField() { delete[] text; }

void TextField::setText(const char* const& s) {
    if (s == nullptr) {
        text[0] = 0;
        // A caret left beyond the end would let later edits run past the text.
        setCaret(0);
        return;
    }
    int length = 0;
    while (length < capacity - 1 && s[length] != 0) {
        text[length] = s[length];
        ++length;
    }
    text[length] = 0;
    setCaret(length);
}

void TextField::getText(char* const& out, const int& size) {
    if (out == nullptr || size < 1) return;
    int length = 0;
    while (length < size - 1 && text[length] != 0) {
        out[length] = text[length];
        ++length;
    }
    out[length] = 0;
}

void TextField::setCaret(const int& position) {
    const int length = static_cast<int>(std::strlen(text));
    caret = position < 0 ? 0 : (position > length ? length : position);
    int textWidth = 0;
    int textHeight = 0;
    theApplication->measureText(text, caret, TEXT_FACE, MEASURE_HEIGHT, textWidth, textHeight);
    caretX = textWidth + margin;
    if (caretX <= width - margin) {
        textAlignment = ALIGN_TEXT_LEFT;
    } else {
        textAlignment = ALIGN_TEXT_RIGHT;
        caretX = width - margin;
    }
}

void TextField::insertChar(const char& c) {
    const signed char code = static_cast<signed char>(c);
    if (code < 32 || code == 127) return;
    const int length = static_cast<int>(std::strlen(text));
    if (length >= capacity - 1) return;
    std::memmove(text + caret + 1, text + caret, static_cast<size_t>(length - caret + 1));
    text[caret] = c;
    setCaret(caret + 1);
}

void TextField::deleteBackward() {
    if (caret == 0) return;
    const int length = static_cast<int>(std::strlen(text));
    std::memmove(text + caret - 1, text + caret, static_cast<size_t>(length - caret + 1));
    setCaret(caret - 1);
}

void TextField::deleteForward() {
    const int length = static_cast<int>(std::strlen(text));
    if (caret >= length) return;
    std::memmove(text + caret, text + caret + 1, static_cast<size_t>(length - caret));
}

void TextField::moveCaretLeft() { setCaret(caret - 1); }

void TextField::moveCaretRight() { setCaret(caret + 1); }

void TextField::handleEvent(const int& event) {
    if (event == EVENT_KEY_DOWN) {
        switch (theApplication->keyCode) {
        case KEY_BACKSPACE:
            deleteBackward();
            break;
        case KEY_DELETE:
            deleteForward();
            break;
        case KEY_LEFT:
            moveCaretLeft();
            break;
        case KEY_RIGHT:
            moveCaretRight();
            break;
        default:
            break;
        }
    } else if (event == EVENT_CHAR) {
        insertChar(static_cast<char>(theApplication->charCode & 0xFF));
    }
}

bool TextField::draw() {
    const int left = originX + x;
    const int top = originY + y;
    if (opaque && !theApplication->fillRect(left, top, width, height, backgroundColour)) return false;
    if (!theApplication->beginDraw()) return false;
    if (opaque) {
        theApplication->setPen(borderWidth, borderColour);
        theApplication->drawLine(left, top, left + width, top);
        theApplication->drawLine(left + width, top, left + width, top + height);
        theApplication->drawLine(left + width, top + height, left, top + height);
        theApplication->drawLine(left, top + height, left, top);
        theApplication->releasePen();
    }
    theApplication->setFont(TEXT_FACE, height, TEXT_COLOUR);
    // Right-aligned, only the text before the caret is shown, its end at the caret.
    const char hiddenFromCaret = text[caret];
    if (textAlignment == ALIGN_TEXT_RIGHT) text[caret] = 0;
    theApplication->drawText(left + margin, top, left + width - margin, top + height, textAlignment, text);
    text[caret] = hiddenFromCaret;
    theApplication->releaseFont();
    drawCaret();
    theApplication->endDraw();
    return true;
}

bool TextField::drawCaret() {
    // Between ticks the caret shows as the last tick's picture left it: only
    // the pictures of ticks blink it.
    const bool betweenTicks = theApplication->drawingBetweenTicks;
    const bool shown = betweenTicks ? caretBlinkOn : !caretBlinkOn;
    if (!betweenTicks) caretBlinkOn = !caretBlinkOn;
    if (!shown) return true;
    const int left = originX + x;
    const int top = originY + y;
    theApplication->setPen(1, CARET_COLOUR);
    theApplication->drawLine(left + caretX, top, left + caretX, top + height);
    theApplication->releasePen();
    return true;
}
