// Writes .bmp files byte by byte for tests, in every layout the decoder
// reads, so that each test knows exactly which pixels a file should show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/bitmap_decoder.h"

namespace bmptest {

using Bytes = std::vector<uint8_t>;

// A picture as the decoder returns it: 0xRRGGBB, top row first.
using Picture = platform::DecodedBitmap;

enum class Packing { Plain, RunLength, BitFields };

// How a picture is laid out in the file.
struct Layout {
    int bitsPerPixel = 24;                 // 1, 4, 8, 16, 24 or 32
    Packing packing = Packing::Plain;      // RunLength: RLE8 at 8 bits, RLE4 at 4
    bool topDown = false;                  // negative height, rows top first
    uint32_t headerSize = 40;              // 12 (OS/2 core), 40, 108 or 124
    uint32_t masks[3] = {0, 0, 0};         // red, green, blue, for BitFields
    std::vector<uint32_t> palette;         // colour table for 1 to 8 bits
    bool declarePaletteSize = true;        // write the table's length as "colours used"
};

// Offsets of header fields that tests forge.
inline constexpr size_t FILE_SIZE_AT = 2;
inline constexpr size_t PIXEL_OFFSET_AT = 10;
inline constexpr size_t WIDTH_AT = 18;
inline constexpr size_t HEIGHT_AT = 22;
inline constexpr size_t BITS_AT = 28;
inline constexpr size_t COMPRESSION_AT = 30;
inline constexpr size_t IMAGE_SIZE_AT = 34;
inline constexpr size_t COLOURS_USED_AT = 46;

// A width x height picture drawn from the given colours in a pattern with
// diagonal stripes, runs of one colour and runs of black (colours[0]),
// one of them from the end of a row into the row above.
Picture patternPicture(int width, int height, const std::vector<uint32_t>& colours);

// The file for picture in layout. Paletted layouts look every pixel up in
// the layout's palette (a colour missing from it is written as index 0);
// 16-bit layouts keep the top bits of each channel. Run-length files skip
// black stretches with delta and end-of-line codes, which the decoder
// leaves black.
Bytes writeBitmap(const Picture& picture, const Layout& layout);

void put16(Bytes& bytes, size_t at, uint32_t value);
void put32(Bytes& bytes, size_t at, uint32_t value);

// Writes bytes to a file in the test run's private folder (chosen by the test
// entry, so not before main) and returns its path.
std::string saveTemporary(const std::string& name, const Bytes& bytes);

}  // namespace bmptest
