// Placeholder until the number display lands.
#include "display/number_display.h"

NumberDisplay::NumberDisplay(Sprite* const& parent_, const int& x_, const int& y_, Image* const& image_,
                             const int& digitCount_, const int& value_, const bool& hide, const int& align,
                             const int& left, const int& right) {
    init(parent_, x_, y_, image_);
    hasImage = false;
    digitCount = digitCount_;
    value = value_;
    hideLeadingZeros = hide;
    alignment = align;
    alignLeft = left;
    alignRight = right;
}
NumberDisplay::~NumberDisplay() = default;
void NumberDisplay::setValue(const int& v) { value = v; }
void NumberDisplay::setAlignBounds(const int& left, const int& right) {
    alignLeft = left;
    alignRight = right;
}
void NumberDisplay::layout() {}
