// Text fields: editing through events, the buffer's limits, and scrolling and
// drawing with the canvas's real "Arial" measuring.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "display/text_field.h"
#include "platform/drawing/surface.h"
#include "support/test_application.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;
// The text and the caret's character index.
using State = std::pair<std::string, int>;
// Characters typed, or keys pressed (negative), and the field they leave.
using Step = std::pair<std::vector<int>, State>;

class TextFieldTest : public ::testing::Test {
protected:
    TextFieldTest() : application(32) { TextField::caretBlinkOn = false; }

    void play(TextField& field, const std::vector<Step>& steps) {
        for (const auto& [inputs, after] : steps) {
            for (const int input : inputs) {
                (input < 0 ? application.app().keyCode : application.app().charCode) = std::abs(input);
                field.handleEvent(input < 0 ? EVENT_KEY_DOWN : EVENT_CHAR);
            }
            EXPECT_EQ(state(field), after) << "after input " << inputs[0] << " and on";
        }
    }
    State state(TextField& field) {
        char buffer[256];
        field.getText(buffer, sizeof buffer);
        return {buffer, field.caret};
    }
    // Width of the first n characters as the field measures them.
    int measure(const char* text, int n) {
        int w = 0;
        int h = 0;
        application.app().measureText(text, n, "Arial", 16, w, h);
        return w;
    }
    uint32_t pixel(int x, int y) { return application.backBuffer().pixelAt(x, y) & 0xFFFFFF; }
    bool columnIsBlack(int x, int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            if (pixel(x, y) != BLACK) return false;
        return true;
    }
    TestApplication application;
};

}  // namespace

TEST_F(TextFieldTest, TypingAndCaretKeysEditAtTheCaretAndUnprintableCharactersChangeNothing) {
    TextField field(nullptr, 50, 100, 200, 16, true, WHITE, BLACK, 1, nullptr, 256);
    play(field, {
        {{'a', 'b', 'c', -KEY_LEFT, -KEY_LEFT, 'X'}, {"aXbc", 2}},
        {{-KEY_DELETE}, {"aXc", 2}},
        {{-KEY_BACKSPACE, '\b'}, {"ac", 1}},  // backspace comes as a key and a character; only the key deletes
        {{-KEY_RIGHT, -KEY_RIGHT, -KEY_DELETE}, {"ac", 2}},  // at the ends the keys do nothing
        {{-KEY_LEFT, -KEY_LEFT, -KEY_LEFT, -KEY_BACKSPACE, -KEY_RETURN}, {"ac", 0}},
        {{'\r', '\t', 0x1b, 0x7f, 0xe9, 0}, {"ac", 0}},
        {{' ', '~', 0x100 + 'Q'}, {" ~Qac", 3}},  // only the low byte counts
    });
    // Releases and other events are not edits.
    application.app().keyCode = KEY_BACKSPACE;
    field.handleEvent(EVENT_KEY_UP);
    field.handleEvent(EVENT_MOUSE_DOWN);
    EXPECT_EQ(state(field), State(" ~Qac", 3));
}

TEST_F(TextFieldTest, TextNeverOutgrowsItsBufferAndClearingBringsTheCaretHome) {
    TextField field(nullptr, 0, 0, 200, 16, false, 0, 0, 1, "abcdef", 4);
    EXPECT_EQ(state(field), State("abc", 3));
    play(field, {{{'x', -KEY_LEFT, -KEY_LEFT, 'y'}, {"abc", 1}}, {{-KEY_BACKSPACE, 'y', 'z'}, {"ybc", 1}}});
    char small[3];
    field.getText(small, sizeof small);
    EXPECT_STREQ(small, "yb");
    field.setText(nullptr);
    EXPECT_EQ(std::pair(state(field), field.caretX), std::pair(State("", 0), 5));
    field.setText("other");
    EXPECT_EQ(state(field), State("oth", 3));
}

TEST_F(TextFieldTest, DrawsBoxTextAndABlinkingCaretAndScrolledTextShowsOnlyWhatPrecedesTheCaret) {
    application.app().fillRect(0, 0, 800, 600, 0x808080);
    TextField field(nullptr, 0, 100, 60, 16, true, WHITE, BLACK, 1, nullptr, 256);
    const char* typed = "WWWWWWWWWWWW";
    ASSERT_GT(measure(typed, 12), 50) << "twelve capitals must outgrow the field";
    for (int n = 1; n <= 12; ++n) {
        field.insertChar('W');
        const int textEnd = measure(typed, n) + 5;
        EXPECT_EQ(std::make_pair(field.textAlignment, field.caretX),
                  textEnd > 55 ? std::make_pair(2, 55) : std::make_pair(0, textEnd))
            << n << " characters";
    }
    ASSERT_EQ(field.textAlignment, 2);
    ASSERT_TRUE(field.draw());
    // Top and left border, background in the right margin, and the untouched screen outside.
    EXPECT_EQ(std::vector<uint32_t>({pixel(30, 100), pixel(0, 108), pixel(57, 108), pixel(61, 99)}),
              std::vector<uint32_t>({BLACK, BLACK, WHITE, 0x808080u}));
    EXPECT_TRUE(columnIsBlack(55, 101, 115)) << "the caret at the right margin";
    std::vector<uint32_t> upToCaret;
    for (int y = 101; y < 116; ++y)
        for (int x = 1; x < 55; ++x) upToCaret.push_back(pixel(x, y));
    EXPECT_GT(std::count_if(upToCaret.begin(), upToCaret.end(), [](uint32_t p) { return p != WHITE; }), 50)
        << "the text is drawn";

    // Right-aligned at the caret, the characters after it are not drawn, nor lost.
    play(field, {{{'i', 'i', 'i', 'i', -KEY_LEFT, -KEY_LEFT, -KEY_LEFT, -KEY_LEFT}, {"WWWWWWWWWWWWiiii", 12}}});
    ASSERT_EQ(std::pair(field.textAlignment, field.caretX), std::pair(2, 55));
    ASSERT_TRUE(field.draw());
    EXPECT_EQ(pixel(55, 108), WHITE) << "the caret blinks off on the next frame";
    for (int y = 101, i = 0; y < 116; ++y)
        for (int x = 1; x < 55; ++x, ++i) ASSERT_EQ(pixel(x, y), upToCaret[size_t(i)]) << x << "," << y;
    EXPECT_EQ(state(field).first, "WWWWWWWWWWWWiiii") << "drawing keeps the text whole";

    // Back to the left as soon as the text before the caret fits again.
    while (field.textAlignment == 2) field.moveCaretLeft();
    EXPECT_EQ(field.caretX, measure(typed, field.caret) + 5);
    field.moveCaretRight();
    EXPECT_EQ(field.textAlignment, 2);
    // Deleting ahead of the caret leaves the text before it, and so the caret, alone.
    field.deleteForward();
    EXPECT_EQ(field.caretX, 55);
}
