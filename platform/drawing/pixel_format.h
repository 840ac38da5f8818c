// Conversion of 0xRRGGBB colours into a surface's raw pixel values.
#pragma once

#include <cstdint>

namespace platform {

// 16 bits: 5-6-5 with red on top; 24 and 32 bits: bytes B, G, R (, unused).
inline uint32_t pixelFromColour(const uint32_t& colour, const int& bitsPerPixel) {
    if (bitsPerPixel == 16) {
        const uint32_t red = (colour >> 16) & 0xFF;
        const uint32_t green = (colour >> 8) & 0xFF;
        const uint32_t blue = colour & 0xFF;
        return ((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3);
    }
    return colour & 0xFFFFFF;
}

}  // namespace platform
