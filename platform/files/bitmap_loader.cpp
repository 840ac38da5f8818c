// Bitmap files into surfaces: reading, stretching and pixel conversion.
#include "platform/files/bitmap_loader.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/files/file_reader.h"
#include "platform/drawing/pixel_format.h"
#include "platform/drawing/surface.h"

namespace platform {

bool stretchBitmap(const DecodedBitmap& source, const int& width, const int& height, DecodedBitmap& out) {
    out = DecodedBitmap{};
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return false;
    if (static_cast<int64_t>(width) * height > MAX_BITMAP_PIXELS) return false;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int sourceY = static_cast<int>(static_cast<int64_t>(y) * source.height / height);
        const uint32_t* in = source.pixels.data() + static_cast<size_t>(sourceY) * source.width;
        uint32_t* target = out.pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) target[x] = in[static_cast<int64_t>(x) * source.width / width];
    }
    return true;
}

bool loadBitmapFile(const char* const& fileName, const int& width, const int& height, DecodedBitmap& out) {
    out = DecodedBitmap{};
    std::vector<uint8_t> bytes;
    if (!readWholeFile(fileName, MAX_BITMAP_FILE_BYTES, bytes)) return false;
    DecodedBitmap decoded;
    if (!decodeBitmap(bytes.data(), bytes.size(), decoded)) return false;
    const int wantedWidth = width > 0 ? width : decoded.width;
    const int wantedHeight = height > 0 ? height : decoded.height;
    if (wantedWidth == decoded.width && wantedHeight == decoded.height) {
        out = std::move(decoded);
        return true;
    }
    return stretchBitmap(decoded, wantedWidth, wantedHeight, out);
}

bool loadIconFile(const char* const& fileName, DecodedBitmap& out) {
    out = DecodedBitmap{};
    std::vector<uint8_t> bytes;
    DecodedBitmap decoded;
    if (!readWholeFile(fileName, MAX_ICON_FILE_BYTES, bytes) || !decodeBitmap(bytes.data(), bytes.size(), decoded))
        return false;
    const int side = std::max(decoded.width, decoded.height);
    if (side <= MAX_ICON_SIDE) {
        out = std::move(decoded);
        return true;
    }
    const int width = std::max(1, static_cast<int>(static_cast<int64_t>(decoded.width) * MAX_ICON_SIDE / side));
    const int height = std::max(1, static_cast<int>(static_cast<int64_t>(decoded.height) * MAX_ICON_SIDE / side));
    return stretchBitmap(decoded, width, height, out);
}

bool copyBitmapToSurface(const DecodedBitmap& bitmap, Surface& surface) {
    const int width = bitmap.width < surface.width() ? bitmap.width : surface.width();
    const int height = bitmap.height < surface.height() ? bitmap.height : surface.height();
    if (width <= 0 || height <= 0) return true;
    uint8_t* address = nullptr;
    int pitch = 0;
    if (!surface.lock(Rect{0, 0, width, height}, address, pitch)) return false;
    const int bits = surface.bitsPerPixel();
    const int bytes = surface.bytesPerPixel();
    for (int y = 0; y < height; ++y) {
        const uint32_t* in = bitmap.pixels.data() + static_cast<size_t>(y) * bitmap.width;
        uint8_t* target = address + static_cast<ptrdiff_t>(y) * pitch;
        for (int x = 0; x < width; ++x, target += bytes) {
            const uint32_t value = pixelFromColour(in[x], bits);
            target[0] = static_cast<uint8_t>(value);
            target[1] = static_cast<uint8_t>(value >> 8);
            if (bytes >= 3) target[2] = static_cast<uint8_t>(value >> 16);
            if (bytes == 4) target[3] = 0;
        }
    }
    return surface.unlock();
}

}  // namespace platform
