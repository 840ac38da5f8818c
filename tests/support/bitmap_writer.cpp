// Writes .bmp files for tests: headers, palettes, packed rows, bit fields
// and run-length codes.
#include "support/bitmap_writer.h"

#include <algorithm>
#include <bit>

#include "support/wave_builder.h"

namespace bmptest {

namespace {

using wavetest::put16;
using wavetest::put32;

uint32_t paletteIndex(const Layout& layout, uint32_t colour) {
    const auto found = std::find(layout.palette.begin(), layout.palette.end(), colour);
    return found == layout.palette.end() ? 0 : static_cast<uint32_t>(found - layout.palette.begin());
}

// The colour's top bits for each mask, placed where the mask says; 16 bits
// without bit fields are 5-5-5.
uint32_t packChannels(uint32_t colour, const Layout& layout) {
    uint32_t value = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const uint32_t mask = layout.packing == Packing::BitFields ? layout.masks[channel] : 0x7C00u >> (5 * channel);
        const int bits = std::popcount(mask);
        const uint32_t level = (colour >> (16 - 8 * channel)) & 0xFF;
        value |= ((bits <= 8 ? level >> (8 - bits) : level << (bits - 8)) << std::countr_zero(mask)) & mask;
    }
    return value;
}

// Rows padded to four bytes, in file order.
Bytes plainRows(const Picture& picture, const Layout& layout) {
    const int bits = layout.bitsPerPixel;
    const size_t stride = (static_cast<size_t>(picture.width) * bits + 31) / 32 * 4;
    Bytes out(stride * picture.height, 0);
    for (int row = 0; row < picture.height; ++row) {
        uint8_t* line = out.data() + stride * row;
        const int y = layout.topDown ? row : picture.height - 1 - row;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t colour = picture.pixelAt(x, y);
            if (bits <= 8) {
                line[x * bits / 8] |= static_cast<uint8_t>(paletteIndex(layout, colour) << (8 - bits - x * bits % 8));
                continue;
            }
            const bool asIs = bits >= 24 && layout.packing != Packing::BitFields;
            const uint32_t value = asIs ? colour : packChannels(colour, layout);
            for (int byte = 0; byte < bits / 8; ++byte)
                line[x * bits / 8 + byte] = static_cast<uint8_t>(value >> (8 * byte));
        }
    }
    return out;
}

// Run-length codes, bottom row first: repeats as runs, mixed stretches in
// absolute mode, black stretches skipped by deltas (across a row end too)
// and black row ends by end-of-line codes.
Bytes runLengthCodes(const Picture& picture, const Layout& layout) {
    const int width = picture.width;
    const bool fourBit = layout.bitsPerPixel == 4;
    // Rows counted in file order, bottom row first.
    const auto colour = [&](int row, int x) { return picture.pixelAt(x, picture.height - 1 - row); };
    const auto index = [&](int row, int x) { return paletteIndex(layout, colour(row, x)); };
    // Length of the stretch from x of black pixels, or of pixels equal to x's.
    const auto runOf = [&](int row, int x, bool black) {
        int end = x;
        while (end < width && (black ? colour(row, end) == 0 : index(row, end) == index(row, x))) ++end;
        return end - x;
    };
    Bytes out;
    const auto code = [&out](std::initializer_list<int> values) {
        for (const int value : values) out.push_back(static_cast<uint8_t>(value));
    };
    int x = 0;
    for (int row = 0; row < picture.height; ++row) {
        while (x < width) {
            const int black = runOf(row, x, true);
            if (x + black == width) break;
            int count = std::min(black, 255);
            const int same = std::min(runOf(row, x, false), 255);
            if (black >= 3) {
                code({0, 2, count, 0});
            } else if (same >= 3 || width - x < 3) {
                count = same;
                code({count, static_cast<int>(index(row, x) * (fourBit ? 0x11 : 1))});
            } else {
                // An absolute stretch of at least three pixels up to the next run, two pixels a byte at 4 bits.
                count = 3;
                while (x + count < width && count < 255 && runOf(row, x + count, false) < 3 &&
                       runOf(row, x + count, true) < 3)
                    ++count;
                code({0, count});
                const size_t start = out.size();
                for (int i = 0; i < count; ++i) {
                    const uint32_t value = index(row, x + i);
                    if (!fourBit || i % 2 == 0) out.push_back(static_cast<uint8_t>(fourBit ? value << 4 : value));
                    else out.back() |= static_cast<uint8_t>(value);
                }
                if ((out.size() - start) % 2 == 1) out.push_back(0);
            }
            x += count;
        }
        if (row + 1 == picture.height) break;
        const int leading = runOf(row + 1, 0, true);
        if (x < width && leading >= x && leading < width && leading - x <= 255) {
            code({0, 2, leading - x, 1});  // down one row and on to its first colour
            x = leading;
        } else {
            code({0, 0});
            x = 0;
        }
    }
    code({0, 1});
    return out;
}

}  // namespace

Picture patternPicture(int width, int height, const std::vector<uint32_t>& colours) {
    Picture picture{width, height, {}};
    const int count = static_cast<int>(colours.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int choice = (x + 2 * y) / 3 % count;        // runs of three along a row
            if ((x * 7 + y * 3) % 11 < 2) choice = (x * 5 + y) % count;  // mixed stretches
            if ((x / 4 + y) % 5 == 0) choice = 0;         // black stretches of four
            // Black from the end of one row far into the row above it.
            if ((y % 6 == 2 && x >= width - 3) || (y % 6 == 1 && x < width - 2)) choice = 0;
            picture.pixels.push_back(colours[static_cast<size_t>(choice)]);
        }
    }
    return picture;
}

Bytes writeBitmap(const Picture& picture, const Layout& layout) {
    const bool core = layout.headerSize == 12;
    const bool runLength = layout.packing == Packing::RunLength;
    const bool fields = layout.packing == Packing::BitFields;
    const Bytes pixels = runLength ? runLengthCodes(picture, layout) : plainRows(picture, layout);

    Bytes header;
    put32(header, layout.headerSize);
    if (core) {
        for (const int value : {picture.width, picture.height, 1, layout.bitsPerPixel})
            put16(header, static_cast<uint32_t>(value));
    } else {
        put32(header, static_cast<uint32_t>(picture.width));
        put32(header, static_cast<uint32_t>(layout.topDown ? -picture.height : picture.height));
        put16(header, 1);
        put16(header, static_cast<uint32_t>(layout.bitsPerPixel));
        const uint32_t compression = runLength ? (layout.bitsPerPixel == 8 ? 1 : 2) : fields ? 3 : 0;
        const uint32_t colours = layout.declarePaletteSize ? static_cast<uint32_t>(layout.palette.size()) : 0;
        // 2835: 72 dots per inch, both ways.
        for (const uint32_t value : {compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u, colours, 0u})
            put32(header, value);
        if (fields || layout.headerSize > 40)
            for (uint32_t mask : layout.masks) put32(header, mask);
        header.resize(layout.headerSize + (layout.headerSize == 40 && fields ? 12 : 0));
    }
    // Blue, green, red, and a zero byte except in the core header's table.
    for (uint32_t colour : layout.palette) {
        put16(header, colour);
        header.push_back(static_cast<uint8_t>(colour >> 16));
        if (!core) header.push_back(0);
    }

    Bytes file = {'B', 'M'};
    for (const size_t value : {14 + header.size() + pixels.size(), size_t{0}, 14 + header.size()})
        put32(file, static_cast<uint32_t>(value));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

void put16(Bytes& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 2; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void put32(Bytes& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::string saveTemporary(const std::string& name, const Bytes& bytes) { return wavetest::writeFile(name, bytes); }

}  // namespace bmptest
