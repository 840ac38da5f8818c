// Finding the changed parts of a picture by comparing it with the last one shown.
#include "platform/window/shown_picture.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace platform {

namespace {

// Bands closer than this are shown as one: each band costs a call into the
// window system, a few unchanged rows cost almost nothing.
constexpr int joinGapRows = 4;

// The first and one past the last differing byte of two rows known to differ.
void differingBytes(const uint8_t* a, const uint8_t* b, size_t size, size_t& first, size_t& end) {
    first = 0;
    while (first + 8 <= size && std::memcmp(a + first, b + first, 8) == 0) first += 8;
    while (a[first] == b[first]) ++first;
    end = size;
    while (end >= first + 8 && std::memcmp(a + end - 8, b + end - 8, 8) == 0) end -= 8;
    while (a[end - 1] == b[end - 1]) --end;
}

}  // namespace

std::vector<Rect> ShownPicture::takeChanges(const uint8_t* pixels, int width, int height, int bytesPerPixel,
                                            int pitch, const Rect& mayDiffer) {
    std::vector<Rect> changes;
    if (width <= 0 || height <= 0) return changes;
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bytesPerPixel);
    if (!valid_ || width != width_ || height != height_ || bytesPerPixel != bytesPerPixel_) {
        width_ = width;
        height_ = height;
        bytesPerPixel_ = bytesPerPixel;
        pixels_.resize(rowBytes * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) std::memcpy(&pixels_[rowBytes * y], pixels + static_cast<ptrdiff_t>(y) * pitch, rowBytes);
        valid_ = true;
        changes.push_back(Rect{0, 0, width, height});
        return changes;
    }
    for (int y = std::max(mayDiffer.top, 0); y < std::min(mayDiffer.bottom, height); ++y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* shown = &pixels_[rowBytes * y];
        if (std::memcmp(row, shown, rowBytes) == 0) continue;
        size_t first = 0, end = 0;
        differingBytes(row, shown, rowBytes, first, end);
        std::memcpy(shown + first, row + first, end - first);
        const int left = static_cast<int>(first) / bytesPerPixel;
        const int right = static_cast<int>((end + bytesPerPixel - 1) / bytesPerPixel);
        if (!changes.empty() && y - changes.back().bottom <= joinGapRows) {
            Rect& band = changes.back();
            band.left = std::min(band.left, left);
            band.right = std::max(band.right, right);
            band.bottom = y + 1;
        } else {
            changes.push_back(Rect{left, y, right, y + 1});
        }
    }
    return changes;
}

}  // namespace platform
