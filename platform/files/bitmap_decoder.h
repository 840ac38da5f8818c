// Decodes a .bmp file held in memory into 0x00RRGGBB pixels, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    // width * height pixels, 0x00RRGGBB, rows top to bottom.
    std::vector<uint32_t> pixels;

    uint32_t pixelAt(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The largest picture accepted, in pixels (4096 x 4096): far above anything
// the game shows, low enough that a forged header cannot exhaust memory.
inline constexpr int64_t MAX_BITMAP_PIXELS = int64_t{1} << 24;
inline constexpr int MAX_BITMAP_SIDE = 16384;

// Reads the formats Windows reads: 1, 4, 8, 16, 24 and 32 bits per pixel,
// RLE4 and RLE8, bit fields, top-down rows, OS/2 core and version 3 to 5
// headers. Returns false (and leaves out empty) for anything malformed,
// truncated or absurdly large; never reads outside data[0, size).
bool decodeBitmap(const uint8_t* data, size_t size, DecodedBitmap& out);

}  // namespace platform
