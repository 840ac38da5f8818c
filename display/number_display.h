// Shows a whole number as digit pictures, one child per position, with
// hidden leading zeros, placed between two edges.
#pragma once

#include "display/sprite.h"

// Where the visible digits are placed between the two edges; any other value
// leaves the display where it is.
constexpr int NUMBER_ALIGN_LEFT = 1;
constexpr int NUMBER_ALIGN_RIGHT = 2;
constexpr int NUMBER_ALIGN_CENTRE = 3;

class NumberDisplay : public Sprite {
public:
    NumberDisplay(Sprite* const& parent, const int& x, const int& y, Image* const& image, const int& digitCount,
                  const int& value, const bool& hideLeadingZeros, const int& alignment, const int& alignLeft,
                  const int& alignRight);
    ~NumberDisplay() override;

    void setValue(const int& v);
    void setAlignBounds(const int& left, const int& right);
    void layout();

    int digitCount = 0;
    int minValue = 0;
    int maxValue = 0;
    int value = 0;
    bool hideLeadingZeros = false;
    int alignment = 0;
    int alignLeft = 0;
    int alignRight = 0;
};
