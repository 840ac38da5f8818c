// Text field scrolling and drawing with the canvas's real "Arial" measuring.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "display/text_field.h"
#include "platform/surface.h"
#include "support/test_application.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BLACK = 0x000000;

class TextFieldOnCanvas : public ::testing::Test {
protected:
    TextFieldOnCanvas() : application(32) { TextField::caretBlinkOn = false; }

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

TEST_F(TextFieldOnCanvas, CaretFollowsTheTextAndScrollsWhenItNoLongerFits) {
    TextField field(nullptr, 0, 0, 60, 16, true, WHITE, BLACK, 1, nullptr, 256);
    const char* typed = "WWWWWWWWWWWW";
    ASSERT_GT(measure(typed, 12), 50) << "twelve capitals must outgrow the field";
    bool scrolled = false;
    for (int n = 1; n <= 12; ++n) {
        field.insertChar('W');
        const int textEnd = measure(typed, n) + 5;
        scrolled = textEnd > 55;
        EXPECT_EQ(std::make_pair(field.textAlignment, field.caretX),
                  scrolled ? std::make_pair(2, 55) : std::make_pair(0, textEnd))
            << n << " characters";
    }
    EXPECT_TRUE(scrolled);

    // Back to the left as soon as the text before the caret fits again.
    while (field.textAlignment == 2) field.moveCaretLeft();
    EXPECT_EQ(field.caretX, measure(typed, field.caret) + 5);
    field.moveCaretRight();
    EXPECT_EQ(field.textAlignment, 2);
    // Deleting ahead of the caret leaves the text before it, and so the caret, alone.
    field.deleteForward();
    EXPECT_EQ(field.caretX, 55);
}

TEST_F(TextFieldOnCanvas, DrawsBoxTextAndABlinkingCaret) {
    application.app().fillRect(0, 0, 800, 600, 0x808080);
    TextField field(nullptr, 100, 200, 200, 16, true, WHITE, BLACK, 1, nullptr, 256);
    ASSERT_TRUE(field.draw());
    // Top and left border, background, and the untouched screen outside.
    EXPECT_EQ(std::vector<uint32_t>({pixel(150, 200), pixel(100, 208), pixel(150, 208), pixel(99, 199)}),
              std::vector<uint32_t>({BLACK, BLACK, WHITE, 0x808080u}));
    EXPECT_TRUE(columnIsBlack(105, 201, 215)) << "caret at the left margin";
    ASSERT_TRUE(field.draw());
    EXPECT_EQ(pixel(105, 208), WHITE) << "the caret blinks off on the next frame";

    field.setText("Hi");
    ASSERT_TRUE(field.draw());
    const int caretAt = 100 + field.caretX;
    EXPECT_TRUE(columnIsBlack(caretAt, 201, 215));
    int inked = 0;
    for (int x = 106; x < caretAt; ++x)
        for (int y = 201; y < 215; ++y)
            if (pixel(x, y) != WHITE) ++inked;
    EXPECT_GT(inked, 10) << "the text is drawn before the caret";

    // A transparent field draws neither box nor background.
    TextField bare(nullptr, 400, 200, 100, 16, false, WHITE, BLACK, 1, nullptr, 256);
    ASSERT_TRUE(bare.draw());
    EXPECT_EQ(pixel(450, 208), 0x808080u);
}

TEST_F(TextFieldOnCanvas, ScrolledTextShowsOnlyWhatPrecedesTheCaret) {
    application.app().fillRect(0, 0, 800, 600, WHITE);
    TextField longer(nullptr, 0, 100, 60, 16, true, WHITE, BLACK, 1, "WWWWWWWWWWWWiiii", 256);
    longer.setCaret(12);
    ASSERT_EQ(longer.textAlignment, 2);
    TextField upToCaret(nullptr, 0, 200, 60, 16, true, WHITE, BLACK, 1, "WWWWWWWWWWWW", 256);
    ASSERT_EQ(upToCaret.textAlignment, 2);
    ASSERT_TRUE(longer.draw());
    ASSERT_TRUE(upToCaret.draw());
    EXPECT_TRUE(columnIsBlack(55, 101, 115)) << "the first field drawn shows its caret";
    // Right-aligned at the caret, the characters after it are not drawn.
    int differing = 0;
    for (int x = 1; x < 55; ++x)
        for (int dy = 1; dy < 16; ++dy)
            if (pixel(x, 100 + dy) != pixel(x, 200 + dy)) ++differing;
    EXPECT_EQ(differing, 0);
    char buffer[32];
    longer.getText(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "WWWWWWWWWWWWiiii") << "drawing keeps the text whole";
}
