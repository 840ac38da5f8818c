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

// The colour's top bits for each mask, placed where the mask says.
uint32_t packChannels(uint32_t colour, const uint32_t (&masks)[3]) {
    uint32_t value = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const uint32_t mask = masks[channel];
        const int shift = std::countr_zero(mask);
        const int bits = std::popcount(mask);
        const uint32_t level = (colour >> (16 - 8 * channel)) & 0xFF;
        value |= ((bits <= 8 ? level >> (8 - bits) : level << (bits - 8)) << shift) & mask;
    }
    return value;
}

void defaultMasks(const Layout& layout, uint32_t (&masks)[3]) {
    if (layout.packing == Packing::BitFields) {
        std::copy(std::begin(layout.masks), std::end(layout.masks), masks);
    } else if (layout.bitsPerPixel == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
}

// Rows padded to four bytes, in file order.
Bytes plainRows(const Picture& picture, const Layout& layout) {
    const int bits = layout.bitsPerPixel;
    const size_t stride = ((static_cast<size_t>(picture.width) * bits + 31) / 32) * 4;
    uint32_t masks[3];
    defaultMasks(layout, masks);
    Bytes out;
    for (int row = 0; row < picture.height; ++row) {
        const int y = layout.topDown ? row : picture.height - 1 - row;
        Bytes line(stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t colour = picture.at(x, y);
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                line[x / perByte] |= static_cast<uint8_t>(paletteIndex(layout, colour) << shift);
            } else {
                const uint32_t value = bits == 24 ? colour : packChannels(colour, masks);
                for (int byte = 0; byte < bits / 8; ++byte)
                    line[static_cast<size_t>(x) * (bits / 8) + byte] = static_cast<uint8_t>(value >> (8 * byte));
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

// Run-length codes, bottom row first: repeats as runs, mixed stretches in
// absolute mode, black stretches skipped by deltas (across a row end too)
// and black row ends by end-of-line codes.
class RunLengthEncoder {
public:
    RunLengthEncoder(const Picture& picture, const Layout& layout)
        : picture_(picture), fourBit_(layout.bitsPerPixel == 4) {
        for (uint32_t colour : picture.pixels) indices_.push_back(paletteIndex(layout, colour));
    }

    Bytes encode() {
        int x = 0;
        for (int row = 0; row < picture_.height; ++row) {
            while (x < picture_.width) {
                const int black = runOf(row, x, true);
                if (x + black == picture_.width) break;
                if (black >= 3) {
                    code(0, 2, std::min(black, 255), 0);
                    x += std::min(black, 255);
                    continue;
                }
                const int same = runOf(row, x, false);
                if (same >= 3 || picture_.width - x < 3) {
                    const int count = std::min(same, 255);
                    out_.push_back(static_cast<uint8_t>(count));
                    out_.push_back(static_cast<uint8_t>(fourBit_ ? index(row, x) * 0x11 : index(row, x)));
                    x += count;
                    continue;
                }
                x += absolute(row, x);
            }
            if (row + 1 == picture_.height) break;
            const int leading = runOf(row + 1, 0, true);
            if (x < picture_.width && leading >= x && leading < picture_.width) {
                code(0, 2, leading - x, 1);  // down one row and on to its first colour
                x = leading;
            } else {
                code(0, 0);
                x = 0;
            }
        }
        code(0, 1);
        return out_;
    }

private:
    uint32_t index(int row, int x) const {
        return indices_[static_cast<size_t>(picture_.height - 1 - row) * picture_.width + x];
    }

    bool isBlack(int row, int x) const {
        return picture_.pixels[static_cast<size_t>(picture_.height - 1 - row) * picture_.width + x] == 0;
    }

    // Length of the stretch from x of black pixels, or of pixels equal to x's.
    int runOf(int row, int x, bool black) const {
        int end = x;
        while (end < picture_.width && (black ? isBlack(row, end) : index(row, end) == index(row, x))) ++end;
        return end - x;
    }

    // An absolute stretch of at least three pixels up to the next run.
    int absolute(int row, int x) {
        int count = 3;
        while (x + count < picture_.width && count < 255 && runOf(row, x + count, false) < 3 &&
               runOf(row, x + count, true) < 3)
            ++count;
        code(0, static_cast<uint8_t>(count));
        Bytes data;
        for (int i = 0; i < count; ++i) {
            if (!fourBit_) {
                data.push_back(static_cast<uint8_t>(index(row, x + i)));
            } else if (i % 2 == 0) {
                data.push_back(static_cast<uint8_t>(index(row, x + i) << 4));
            } else {
                data.back() |= static_cast<uint8_t>(index(row, x + i));
            }
        }
        if (data.size() % 2 == 1) data.push_back(0);
        out_.insert(out_.end(), data.begin(), data.end());
        return count;
    }

    void code(int first, int second) {
        out_.push_back(static_cast<uint8_t>(first));
        out_.push_back(static_cast<uint8_t>(second));
    }

    void code(int first, int second, int dx, int dy) {
        code(first, second);
        code(dx, dy);
    }

    const Picture& picture_;
    bool fourBit_;
    std::vector<uint32_t> indices_;
    Bytes out_;
};

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
    const Bytes pixels = runLength ? RunLengthEncoder(picture, layout).encode() : plainRows(picture, layout);

    Bytes header;
    put32(header, layout.headerSize);
    if (core) {
        for (const int value : {picture.width, picture.height, 1, layout.bitsPerPixel})
            put16(header, static_cast<uint32_t>(value));
    } else {
        const uint32_t compression = runLength ? (layout.bitsPerPixel == 8 ? 1 : 2)
                                     : layout.packing == Packing::BitFields ? 3 : 0;
        put32(header, static_cast<uint32_t>(picture.width));
        put32(header, static_cast<uint32_t>(layout.topDown ? -picture.height : picture.height));
        put16(header, 1);
        put16(header, static_cast<uint32_t>(layout.bitsPerPixel));
        // 2835: 72 dots per inch, both ways.
        for (const uint32_t value : {compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u,
                                     layout.declarePaletteSize ? static_cast<uint32_t>(layout.palette.size()) : 0u, 0u})
            put32(header, value);
        if (layout.packing == Packing::BitFields || layout.headerSize > 40)
            for (uint32_t mask : layout.masks) put32(header, mask);
        header.resize(layout.headerSize + (layout.headerSize == 40 && layout.packing == Packing::BitFields ? 12 : 0));
    }
    // Blue, green, red, and a zero byte except in the core header's table.
    for (uint32_t colour : layout.palette) {
        if (core) put16(header, colour), header.push_back(static_cast<uint8_t>(colour >> 16));
        else put32(header, colour);
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
