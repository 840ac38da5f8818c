// The row routines of the alpha blend: mix a row of source pixels into a row
// of destination pixels with integer weights alpha / 128 and (128 - alpha) / 128.
#pragma once

#include <cstdint>

namespace alpha_blend {

// Every byte: d = (s * alpha + d * (128 - alpha)) / 128, truncated. Used for
// 24- and 32-bit pixels, whose bytes are independent colour channels.
void blendBytes(uint8_t* destination, const uint8_t* source, const int& byteCount, const int& alpha);

// Every 16-bit 5-6-5 pixel: each of red (bits 11-15), green (5-10) and blue
// (0-4) becomes (s * alpha + d * (128 - alpha)) / 128, truncated.
// Rows need no particular alignment.
void blendPixels565(uint8_t* destination, const uint8_t* source, const int& pixelCount, const int& alpha);

}  // namespace alpha_blend
