// The picture scaler: sampling tables, row conversion and output packing.
#include "platform/window/picture_scaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace platform {

namespace {

// a and b mixed with b's share out of 256, rounded, red and blue in one
// multiply and green in another (each lane's sum stays below 2^16).
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t share) {
    const uint32_t keep = 256 - share;
    const uint32_t redBlue = ((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * share + 0x800080u) >> 8;
    const uint32_t green = ((a & 0xFF00u) * keep + (b & 0xFF00u) * share + 0x8000u) >> 8;
    return (redBlue & 0xFF00FFu) | (green & 0xFF00u);
}

inline uint32_t colourOf565(uint32_t p) {
    const uint32_t r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// The first output pixel whose samples reach picture pixel `from` or later.
int firstReaching(const std::vector<Sample>& table, int from) {
    const auto it = std::partition_point(table.begin(), table.end(), [from](const Sample& s) {
        return s.first + (s.nextShare > 0 ? 1 : 0) < from;
    });
    return static_cast<int>(it - table.begin());
}

// One past the last output pixel whose samples start before picture pixel `to`.
int endReaching(const std::vector<Sample>& table, int to) {
    const auto it = std::partition_point(table.begin(), table.end(), [to](const Sample& s) { return s.first < to; });
    return static_cast<int>(it - table.begin());
}

}  // namespace

std::vector<Sample> sampleTable(int pictureSize, int outputSize) {
    std::vector<Sample> table(static_cast<size_t>(std::max(outputSize, 0)));
    if (pictureSize <= 0) return table;
    // Picture pixel i covers [i * outputSize, (i + 1) * outputSize) and output
    // pixel o covers [o * pictureSize, (o + 1) * pictureSize), both in
    // 1 / (pictureSize * outputSize) of the whole width.
    const int64_t p = pictureSize, n = outputSize;
    for (int64_t o = 0; o < n; ++o) {
        Sample& s = table[static_cast<size_t>(o)];
        if (n < p) {
            s.first = static_cast<int>(((2 * o + 1) * p) / (2 * n));
            continue;
        }
        s.first = static_cast<int>((o * p) / n);
        const int64_t seam = (s.first + 1) * n;
        const int64_t past = (o + 1) * p - seam;
        if (past <= 0 || s.first + 1 >= pictureSize) continue;
        s.nextShare = static_cast<int>((past * 256 + p / 2) / p);
        if (s.nextShare >= 256) s.first += 1, s.nextShare = 0;
    }
    return table;
}

void PictureScaler::configure(int pictureWidth, int pictureHeight, int pictureBits, const Rect& target,
                              const OutputFormat& format) {
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    pictureBytes_ = pictureBits / 8;
    target_ = target;
    format_ = format;
    const bool samePixels = (pictureBits == 16 && format == OutputFormat{2, 11, 5, 0, 3, 2, 3}) ||
                            (pictureBits == 24 && format == OutputFormat{3, 16, 8, 0, 0, 0, 0});
    copiesRows_ = samePixels && target.width() == pictureWidth && target.height() == pictureHeight;
    columns_ = sampleTable(pictureWidth, target.width());
    rows_ = sampleTable(pictureHeight, target.height());
    decoded_.assign(static_cast<size_t>(std::max(pictureWidth, 0)), 0);
    for (auto& row : scaled_) row.assign(columns_.size(), 0);
    mixed_.assign(columns_.size(), 0);
}

void PictureScaler::decodeRow(const uint8_t* source, int firstColumn, int lastColumn) {
    for (int x = firstColumn; x <= lastColumn; ++x) {
        const uint8_t* p = source + x * pictureBytes_;
        decoded_[static_cast<size_t>(x)] =
            pictureBytes_ == 2 ? colourOf565(static_cast<uint32_t>(p[0] | p[1] << 8))
                               : static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
    }
}

const uint32_t* PictureScaler::scaledRow(const uint8_t* picture, int picturePitch, int row, int firstColumn,
                                         int lastColumn, int left, int right) {
    for (int slot = 0; slot < 2; ++slot) {
        if (scaledRowNumber_[slot] != row) continue;
        // The other slot is the older one now: a row being mixed with this
        // one is never evicted by it.
        nextSlot_ = slot ^ 1;
        return scaled_[slot].data();
    }
    const int slot = nextSlot_;
    nextSlot_ ^= 1;
    scaledRowNumber_[slot] = row;
    decodeRow(picture + static_cast<ptrdiff_t>(row) * picturePitch, firstColumn, lastColumn);
    uint32_t* out = scaled_[slot].data();
    const uint32_t* in = decoded_.data();
    for (int o = left; o < right; ++o) {
        const Sample& s = columns_[static_cast<size_t>(o)];
        out[o] = s.nextShare == 0 ? in[s.first] : mix(in[s.first], in[s.first + 1], static_cast<uint32_t>(s.nextShare));
    }
    return out;
}

void PictureScaler::pack(const uint32_t* colours, int count, uint8_t* out) const {
    const OutputFormat& f = format_;
    if (f == OutputFormat{}) {
        std::memcpy(out, colours, static_cast<size_t>(count) * 4);
        return;
    }
    if (f == OutputFormat{2, 11, 5, 0, 3, 2, 3}) {
        for (int i = 0; i < count; ++i) {
            const uint32_t c = colours[i];
            const uint16_t p = static_cast<uint16_t>(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F));
            std::memcpy(out + 2 * i, &p, 2);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const uint32_t c = colours[i];
        const uint32_t p = (((c >> 16) & 0xFF) >> f.redLoss << f.redShift) |
                           (((c >> 8) & 0xFF) >> f.greenLoss << f.greenShift) | ((c & 0xFF) >> f.blueLoss << f.blueShift);
        for (int b = 0; b < f.bytesPerPixel; ++b) out[i * f.bytesPerPixel + b] = static_cast<uint8_t>(p >> (8 * b));
    }
}

Rect PictureScaler::scale(const uint8_t* picture, int picturePitch, const Rect& changed, uint8_t* output,
                          int outputPitch) {
    const Rect wanted = intersect(changed, Rect{0, 0, pictureWidth_, pictureHeight_});
    if (wanted.empty() || columns_.empty() || rows_.empty()) return Rect{};
    if (copiesRows_) {
        const size_t rowBytes = static_cast<size_t>(wanted.width() * pictureBytes_);
        for (int y = wanted.top; y < wanted.bottom; ++y)
            std::memcpy(output + static_cast<ptrdiff_t>(target_.top + y) * outputPitch +
                            static_cast<ptrdiff_t>(target_.left + wanted.left) * pictureBytes_,
                        picture + static_cast<ptrdiff_t>(y) * picturePitch + wanted.left * pictureBytes_, rowBytes);
        return Rect{target_.left + wanted.left, target_.top + wanted.top, target_.left + wanted.right,
                    target_.top + wanted.bottom};
    }
    const int left = firstReaching(columns_, wanted.left), right = endReaching(columns_, wanted.right);
    const int top = firstReaching(rows_, wanted.top), bottom = endReaching(rows_, wanted.bottom);
    if (left >= right || top >= bottom) return Rect{};
    // The picture columns the output columns left..right-1 read.
    const Sample& last = columns_[static_cast<size_t>(right - 1)];
    const int firstColumn = columns_[static_cast<size_t>(left)].first;
    const int lastColumn = last.first + (last.nextShare > 0 ? 1 : 0);
    scaledRowNumber_[0] = scaledRowNumber_[1] = -1;
    const int bytes = format_.bytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(right - left) * static_cast<size_t>(bytes);
    uint8_t* previous = nullptr;
    for (int o = top; o < bottom; ++o) {
        uint8_t* out = output + static_cast<ptrdiff_t>(target_.top + o) * outputPitch +
                       static_cast<ptrdiff_t>(target_.left + left) * bytes;
        const Sample& s = rows_[static_cast<size_t>(o)];
        if (previous != nullptr && s.nextShare == 0 && rows_[static_cast<size_t>(o - 1)].first == s.first &&
            rows_[static_cast<size_t>(o - 1)].nextShare == 0) {
            std::memcpy(out, previous, rowBytes);
            previous = out;
            continue;
        }
        const uint32_t* upper = scaledRow(picture, picturePitch, s.first, firstColumn, lastColumn, left, right);
        if (s.nextShare == 0) {
            pack(upper + left, right - left, out);
        } else {
            const uint32_t* lower = scaledRow(picture, picturePitch, s.first + 1, firstColumn, lastColumn, left, right);
            const auto share = static_cast<uint32_t>(s.nextShare);
            for (int x = left; x < right; ++x) mixed_[static_cast<size_t>(x)] = mix(upper[x], lower[x], share);
            pack(mixed_.data() + left, right - left, out);
        }
        previous = out;
    }
    return Rect{target_.left + left, target_.top + top, target_.left + right, target_.top + bottom};
}

}  // namespace platform
