// Rectangle intersection.
#include "platform/drawing/rect.h"

#include <algorithm>

namespace platform {

Rect intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.empty()) return Rect{};
    return r;
}

}  // namespace platform
