// Number displays: clamping, digit frames, hidden leading zeros and placement.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "display/number_display.h"
#include "media/image.h"

namespace {

Image tenDigits("digits.bmp", 100, 12, 10, 1, 10);
Image digitsAndMinus("digits.bmp", 110, 12, 11, 1, 11);

// The frames the positions show, left to right, with '-' for a hidden one.
std::string shown(NumberDisplay& display) {
    std::string result;
    for (int k = 0; k < display.digitCount; ++k) {
        Sprite* digit = display.children[k];
        result += digit->getAlpha() == 0 ? '-' : static_cast<char>('0' + digit->getFrame());
    }
    return result;
}

// Screen x of a digit position.
int screenX(NumberDisplay& display, int k) {
    return display.children[k]->getOriginX() + display.children[k]->getX();
}

}  // namespace

// Where a display sits and how wide it is.
std::vector<int> placed(NumberDisplay& display) { return {display.getX(), display.getWidth()}; }

TEST(NumberDisplay, ClampsToWhatThePositionsCanShow) {
    NumberDisplay display(nullptr, 0, 0, &tenDigits, 3, 1234, false, 0, 0, 0);
    EXPECT_EQ(std::vector<int>({display.minValue, display.maxValue, display.value}), std::vector<int>({-99, 999, 999}));
    EXPECT_EQ(shown(display), "999");

    // The minus sign is frame 10; an image without it clamps to its last frame.
    display.setValue(-500);
    EXPECT_EQ(display.value, -99);
    EXPECT_EQ(shown(display), "999");
    NumberDisplay withMinus(nullptr, 0, 0, &digitsAndMinus, 3, -7, true, 0, 0, 0);
    EXPECT_EQ(std::vector<int>({withMinus.children[0]->getFrame(), withMinus.children[1]->getFrame(),
                                withMinus.children[2]->getFrame(), withMinus.children[1]->getAlpha()}),
              std::vector<int>({10, 0, 7, opaqueAlpha}));

    // Ten positions reach past what an int holds without overflowing.
    NumberDisplay wide(nullptr, 0, 0, &tenDigits, 10, 2147483647, false, 0, 0, 0);
    EXPECT_EQ(shown(wide), "2147483647");
    EXPECT_EQ(wide.minValue, -999999999);
}

TEST(NumberDisplay, LeadingZerosHiddenOrShown) {
    NumberDisplay plain(nullptr, 0, 0, &tenDigits, 4, 7, false, 0, 0, 0);
    EXPECT_EQ(shown(plain), "0007");
    EXPECT_EQ(plain.getWidth(), 40);
    NumberDisplay hiding(nullptr, 0, 0, &tenDigits, 4, 100, true, 0, 0, 0);
    const std::pair<int, const char*> steps[] = {{100, "-100"}, {0, "---0"}, {2005, "2005"}};
    for (const auto& [value, digits] : steps) {
        hiding.setValue(value);
        EXPECT_EQ(shown(hiding), digits);
        EXPECT_EQ(hiding.getWidth(), 10 * (4 - static_cast<int>(std::string(digits).find_first_not_of('-'))));
    }
}

TEST(NumberDisplay, CentresTheVisibleDigitsBetweenTheEdges) {
    NumberDisplay score(nullptr, 0, 0, &tenDigits, 8, 1234, true, NUMBER_ALIGN_CENTRE, 660, 780);
    EXPECT_EQ(placed(score), std::vector<int>({660, 40}));
    EXPECT_EQ(screenX(score, 4), 700);
    score.setValue(0);
    EXPECT_EQ(placed(score), std::vector<int>({645, 10}));
    EXPECT_EQ(screenX(score, 7), 715);

    NumberDisplay small(nullptr, 0, 0, &tenDigits, 4, 100, true, NUMBER_ALIGN_CENTRE, 0, 100);
    EXPECT_EQ(std::vector<int>({small.getX(), screenX(small, 1)}), std::vector<int>({25, 35}));
    small.setValue(5);
    EXPECT_EQ(shown(small), "---5");
    EXPECT_EQ(std::vector<int>({small.getX(), screenX(small, 3)}), std::vector<int>({15, 45}));
}

TEST(NumberDisplay, LeftAndRightAlignmentInsideAMovedParent) {
    Sprite panel(nullptr, 300, 40, nullptr);
    NumberDisplay left(&panel, 0, 5, &tenDigits, 4, 42, true, NUMBER_ALIGN_LEFT, 100, 200);
    // The first visible digit starts at the left edge.
    EXPECT_EQ(std::vector<int>({left.getX(), screenX(left, 2), left.children[2]->getOriginY()}),
              std::vector<int>({80, 300 + 100, 45}));
    NumberDisplay right(&panel, 0, 0, &tenDigits, 4, 42, true, NUMBER_ALIGN_RIGHT, 100, 200);
    EXPECT_EQ(right.getX(), 160);
    EXPECT_EQ(screenX(right, 3) + 10, 300 + 200);  // the ones digit ends at the right edge

    // New edges wait for the next value; an unknown alignment leaves the display alone.
    right.setAlignBounds(0, 50);
    EXPECT_EQ(right.getX(), 160);
    right.setValue(43);
    EXPECT_EQ(right.getX(), 10);
    NumberDisplay unaligned(&panel, 7, 0, &tenDigits, 4, 42, true, 0, 100, 200);
    EXPECT_EQ(placed(unaligned), std::vector<int>({7, 20}));
}
