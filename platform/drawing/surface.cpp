// In-memory surfaces: copies, keyed copies, fills and locks on raw pixel rows.
#include "platform/drawing/surface.h"

#include <cstring>

namespace platform {

namespace {

// Reads one pixel of 2, 3 or 4 bytes, little-endian.
inline uint32_t readPixel(const uint8_t* p, int bytes) {
    switch (bytes) {
        case 2: return static_cast<uint32_t>(p[0] | (p[1] << 8));
        case 3: return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
        default: {
            uint32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
    }
}

// Copies a row between two surfaces. Short rows (a block is 60 or 120
// bytes) cost more in the call to the library's copy than in the copy
// itself, so they are moved in place in fixed-size pieces, the last piece
// ending on the row's end.
inline void copyRow(uint8_t* out, const uint8_t* in, size_t size) {
    constexpr size_t chunk = 16;
    constexpr size_t half = 64;
    if (size < chunk || size > 2 * half) {
        std::memcpy(out, in, size);
    } else if (size >= half) {
        std::memcpy(out, in, half);
        std::memcpy(out + size - half, in + size - half, half);
    } else {
        for (size_t i = 0; i + chunk <= size; i += chunk) std::memcpy(out + i, in + i, chunk);
        std::memcpy(out + size - chunk, in + size - chunk, chunk);
    }
}

// Copies the pixels of a row of 2- or 4-byte pixels whose value lies outside
// low..high. Each pixel is chosen, not branched on, so that the compiler can
// copy many at a time.
template <typename Pixel>
void copyKeyedRow(uint8_t* out, const uint8_t* in, int count, uint32_t low, uint32_t high) {
    for (int i = 0; i < count; ++i) {
        Pixel source;
        Pixel target;
        std::memcpy(&source, in + i * sizeof(Pixel), sizeof(Pixel));
        std::memcpy(&target, out + i * sizeof(Pixel), sizeof(Pixel));
        const bool transparent = source >= low && source <= high;
        target = transparent ? target : source;
        std::memcpy(out + i * sizeof(Pixel), &target, sizeof(Pixel));
    }
}

inline void writePixel(uint8_t* p, int bytes, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    if (bytes >= 3) p[2] = static_cast<uint8_t>(v >> 16);
    if (bytes == 4) p[3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace

Surface::Surface(int width, int height, int bitsPerPixel)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      bitsPerPixel_(bitsPerPixel),
      // Rows are padded to four bytes, as display memory usually is.
      pitch_(((width_ * (bitsPerPixel / 8)) + 3) & ~3),
      pixels_(static_cast<size_t>(pitch_) * static_cast<size_t>(height_)) {}

void Surface::setColourKey(uint32_t low, uint32_t high) {
    hasColourKey_ = true;
    keyLow_ = low;
    keyHigh_ = high;
}

void Surface::setClip(const Rect& clip) {
    hasClip_ = true;
    clip_ = clip;
}

void Surface::clearClip() { hasClip_ = false; }

Rect Surface::clipFor(const Rect& wanted) const {
    Rect r = intersect(wanted, Rect{0, 0, width_, height_});
    if (hasClip_) r = intersect(r, clip_);
    return r;
}

bool Surface::blit(int x, int y, const Surface& source, const Rect& sourceRect, bool useSourceKey) {
    if (lost_ || source.lost_ || locked_ || source.locked_) return false;
    if (source.bitsPerPixel_ != bitsPerPixel_) return false;
    // Cut the source to its own bounds, moving the destination along with it.
    Rect src = intersect(sourceRect, Rect{0, 0, source.width_, source.height_});
    if (src.empty()) return true;
    x += src.left - sourceRect.left;
    y += src.top - sourceRect.top;
    Rect dst = clipFor(Rect{x, y, x + src.width(), y + src.height()});
    if (dst.empty()) return true;
    const int sx = src.left + (dst.left - x);
    const int sy = src.top + (dst.top - y);
    const int bytes = bytesPerPixel();
    const size_t rowBytes = static_cast<size_t>(dst.width()) * bytes;
    const bool keyed = useSourceKey && source.hasColourKey_;
    const uint8_t* inRow = source.pixels_.data() + static_cast<size_t>(sy) * source.pitch_ + sx * bytes;
    uint8_t* outRow = pixels_.data() + static_cast<size_t>(dst.top) * pitch_ + dst.left * bytes;
    const int rows = dst.height();
    if (keyed && (bytes == 2 || bytes == 4)) {
        for (int row = 0; row < rows; ++row, inRow += source.pitch_, outRow += pitch_) {
            if (bytes == 2)
                copyKeyedRow<uint16_t>(outRow, inRow, dst.width(), source.keyLow_, source.keyHigh_);
            else
                copyKeyedRow<uint32_t>(outRow, inRow, dst.width(), source.keyLow_, source.keyHigh_);
        }
    } else if (keyed) {
        for (int row = 0; row < rows; ++row, inRow += source.pitch_, outRow += pitch_) {
            const uint8_t* in = inRow;
            uint8_t* out = outRow;
            for (int col = 0; col < dst.width(); ++col, in += bytes, out += bytes) {
                const uint32_t v = readPixel(in, bytes);
                if (v < source.keyLow_ || v > source.keyHigh_) writePixel(out, bytes, v);
            }
        }
    } else if (&source == this) {
        // A surface may be copied onto itself, rows overlapping.
        for (int row = 0; row < rows; ++row, inRow += source.pitch_, outRow += pitch_)
            std::memmove(outRow, inRow, rowBytes);
    } else {
        for (int row = 0; row < rows; ++row, inRow += source.pitch_, outRow += pitch_) copyRow(outRow, inRow, rowBytes);
    }
    return true;
}

bool Surface::fill(const Rect& rect, uint32_t value) {
    if (lost_ || locked_) return false;
    const Rect r = clipFor(rect);
    if (r.empty()) return true;
    const int bytes = bytesPerPixel();
    for (int row = r.top; row < r.bottom; ++row) {
        uint8_t* out = pixels_.data() + static_cast<size_t>(row) * pitch_ + r.left * bytes;
        for (int col = r.left; col < r.right; ++col, out += bytes) writePixel(out, bytes, value);
    }
    return true;
}

bool Surface::lock(const Rect& rect, uint8_t*& address, int& pitch) {
    if (lost_ || locked_) return false;
    if (rect.left < 0 || rect.top < 0 || rect.right > width_ || rect.bottom > height_ || rect.empty()) return false;
    locked_ = true;
    address = pixels_.data() + static_cast<size_t>(rect.top) * pitch_ + rect.left * bytesPerPixel();
    pitch = pitch_;
    return true;
}

bool Surface::unlock() {
    if (!locked_) return false;
    locked_ = false;
    return true;
}

bool Surface::restore() {
    if (restoreFails_) return false;
    if (lost_) {
        std::memset(pixels_.data(), 0, pixels_.size());
        lost_ = false;
    }
    return true;
}

uint32_t Surface::pixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return readPixel(pixels_.data() + static_cast<size_t>(y) * pitch_ + x * bytesPerPixel(), bytesPerPixel());
}

void Surface::setPixelAt(int x, int y, uint32_t value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    writePixel(pixels_.data() + static_cast<size_t>(y) * pitch_ + x * bytesPerPixel(), bytesPerPixel(), value);
}

}  // namespace platform
