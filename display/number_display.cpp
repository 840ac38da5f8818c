// Shows a whole number as digit pictures, one child per position, with
// hidden leading zeros, placed between two edges.
#include "display/number_display.h"

#include <climits>
#include <cstdint>

#include "media/image.h"

namespace {

// Frame of the digit image that holds the minus sign.
constexpr int MINUS_FRAME = 10;

// base^exponent by repeated multiplication; 1 for any exponent below 1.
// Wide enough that ten positions do not overflow.
int64_t power(const int64_t& base, const int& exponent) {
    int64_t result = 1;
    for (int i = 0; i < exponent; ++i) result *= base;
    return result;
}

int clampToInt(const int64_t& v) {
    if (v < INT_MIN) return INT_MIN;
    if (v > INT_MAX) return INT_MAX;
    return static_cast<int>(v);
}

// More positions than an int can fill would only overflow the powers of ten.
constexpr int MAX_DIGITS = 10;

}  // namespace

NumberDisplay::NumberDisplay(Sprite* const& parent_, const int& x_, const int& y_, Image* const& image_,
                             const int& digitCount_, const int& value_, const bool& hide, const int& align,
                             const int& left, const int& right) {
    init(parent_, x_, y_, image_);
    hideLeadingZeros = hide;
    alignment = align;
    alignLeft = left;
    alignRight = right;

    const int n = digitCount_ < 0 ? 0 : (digitCount_ > MAX_DIGITS ? MAX_DIGITS : digitCount_);
    const int digitWidth = image_ != nullptr ? image_->frameWidth : 0;
    hasImage = false;
    width = n * digitWidth;
    height = image_ != nullptr ? image_->frameHeight : 0;

    digitCount = n;
    if (n > 0) allocateChildren(n);
    for (int k = n - 1; k >= 0; --k) children[k] = new Sprite(this, k * digitWidth, 0, image_);

    minValue = clampToInt(1 - power(10, n - 1));
    maxValue = clampToInt(power(10, n) - 1);
    setValue(value_);
}

NumberDisplay::~NumberDisplay() = default;

void NumberDisplay::setValue(const int& v) {
    value = v < minValue ? minValue : (v > maxValue ? maxValue : v);
    const int n = digitCount;
    if (v < 0) {
        if (n > 0) children[0]->setFrame(MINUS_FRAME);
        const int64_t magnitude = -static_cast<int64_t>(value);
        for (int i = 0; i <= n - 2; ++i)
            children[n - 1 - i]->setFrame(static_cast<int>((magnitude % power(10, i + 1)) / power(10, i)));
    } else {
        for (int i = 0; i <= n - 1; ++i)
            children[n - 1 - i]->setFrame(static_cast<int>((value % power(10, i + 1)) / power(10, i)));
    }

    if (hideLeadingZeros) {
        for (int k = 0; k <= n - 2; ++k) {
            if (children[k]->getFrame() == 0) {
                children[k]->setAlpha(0);
                continue;
            }
            for (int j = k; j < n; ++j) children[j]->setAlpha(opaqueAlpha);
            break;
        }
    }
    layout();
}

void NumberDisplay::setAlignBounds(const int& left, const int& right) {
    alignLeft = left;
    alignRight = right;
}

void NumberDisplay::layout() {
    const int digitWidth = digitCount > 0 ? children[0]->getWidth() : 0;
    int visibleDigits = 0;
    for (int k = 0; k < digitCount; ++k)
        if (children[k]->getAlpha() != 0) ++visibleDigits;
    const int visibleWidth = digitWidth * visibleDigits;
    width = visibleWidth;

    const int fullWidth = digitCount * digitWidth;
    switch (alignment) {
    case NUMBER_ALIGN_LEFT:
        setX(alignLeft - fullWidth + visibleWidth);
        break;
    case NUMBER_ALIGN_RIGHT:
        setX(alignRight - fullWidth);
        break;
    case NUMBER_ALIGN_CENTRE:
        setX((alignRight - alignLeft + visibleWidth) / 2 - fullWidth + alignLeft);
        break;
    default:
        break;
    }
}
