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

// The frames the positions show, left to right: '-' for the minus sign, '.' for a hidden one.
std::string shown(NumberDisplay& display) {
    std::string result;
    for (int k = 0; k < display.digitCount; ++k) {
        const int frame = display.children[k]->getFrame();
        result += display.children[k]->getAlpha() == 0 ? '.' : frame == 10 ? '-' : static_cast<char>('0' + frame);
    }
    return result;
}

// Screen x of the first visible digit's left and of the last digit's right edge.
std::pair<int, int> span(NumberDisplay& display) {
    int k = 0;
    while (k < display.digitCount - 1 && display.children[k]->getAlpha() == 0) ++k;
    Sprite* const first = display.children[k];
    Sprite* const last = display.children[display.digitCount - 1];
    return {first->getOriginX() + first->getX(), last->getOriginX() + last->getX() + last->getWidth()};
}

}  // namespace

TEST(NumberDisplay, ShowsTheValueClampedToItsPositionsWithLeadingZerosShownOrHidden) {
    NumberDisplay display(nullptr, 0, 0, &tenDigits, 3, 1234, false, 0, 0, 0);
    EXPECT_EQ(std::vector<int>({display.minValue, display.maxValue, display.value}), std::vector<int>({-99, 999, 999}));
    EXPECT_EQ(shown(display), "999");
    display.setValue(7);
    EXPECT_EQ(shown(display), "007");
    // The minus sign is frame 10.
    NumberDisplay withMinus(nullptr, 0, 0, &digitsAndMinus, 3, -7, true, 0, 0, 0);
    EXPECT_EQ(shown(withMinus), "-07");
    // Ten positions reach past what an int holds without overflowing.
    NumberDisplay wide(nullptr, 0, 0, &tenDigits, 10, 2147483647, false, 0, 0, 0);
    EXPECT_EQ(shown(wide), "2147483647");
    EXPECT_EQ(wide.minValue, -999999999);

    NumberDisplay hiding(nullptr, 0, 0, &tenDigits, 4, 100, true, 0, 0, 0);
    const std::pair<int, const char*> steps[] = {{100, ".100"}, {0, "...0"}, {2005, "2005"}, {30, "..30"}};
    for (const auto& [value, digits] : steps) {
        hiding.setValue(value);
        EXPECT_EQ(shown(hiding), digits);
    }
    EXPECT_EQ(hiding.getWidth(), 20) << "the width is the visible digits'";
}

TEST(NumberDisplay, PlacesTheVisibleDigitsBetweenTheEdgesInsideAMovedParent) {
    Sprite panel(nullptr, 300, 40, nullptr);
    const struct {
        int alignment, value, left, right;
        std::pair<int, int> span;
    } cases[] = {
        {NUMBER_ALIGN_CENTRE, 100, 0, 100, {335, 365}}, {NUMBER_ALIGN_CENTRE, 5, 0, 100, {345, 355}},
        {NUMBER_ALIGN_CENTRE, 1234, 60, 180, {400, 440}}, {NUMBER_ALIGN_LEFT, 42, 100, 200, {400, 420}},
        {NUMBER_ALIGN_RIGHT, 42, 100, 200, {480, 500}},
        {0, 42, 100, 200, {327, 347}},  // an unknown alignment leaves the display where it was put
    };
    for (const auto& c : cases) {
        NumberDisplay display(&panel, 7, 5, &tenDigits, 4, c.value, true, c.alignment, c.left, c.right);
        EXPECT_EQ(span(display), c.span) << c.alignment << ": " << c.value;
        EXPECT_EQ(display.getWidth(), c.span.second - c.span.first);
        EXPECT_EQ(display.children[3]->getOriginY(), 45);
    }

    // New edges wait for the next value.
    NumberDisplay right(&panel, 0, 0, &tenDigits, 4, 42, true, NUMBER_ALIGN_RIGHT, 100, 200);
    right.setAlignBounds(0, 50);
    EXPECT_EQ(span(right), std::make_pair(480, 500));
    right.setValue(43);
    EXPECT_EQ(span(right), std::make_pair(330, 350));
}
