// A rectangle of pixels: right and bottom are exclusive.
#pragma once

namespace platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return left >= right || top >= bottom; }
    bool operator==(const Rect&) const = default;
};

// The part of a that also lies in b (empty when they do not meet).
Rect intersect(const Rect& a, const Rect& b);
// The smallest rectangle holding both; either alone when the other is empty.
Rect unite(const Rect& a, const Rect& b);

}  // namespace platform
