// Bitmap file decoding: header checks, palettes, bit fields and RLE runs.
// Every length read from the file is checked against the bytes that are
// really there before it is used, so a forged header can neither make us
// read past the buffer nor allocate more than the data can fill.
#include "platform/files/bitmap_decoder.h"

#include <bit>
#include <utility>

namespace platform {

namespace {

constexpr uint32_t COMPRESSION_NONE = 0;
constexpr uint32_t COMPRESSION_RLE8 = 1;
constexpr uint32_t COMPRESSION_RLE4 = 2;
constexpr uint32_t COMPRESSION_BIT_FIELDS = 3;

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t CORE_HEADER_SIZE = 12;
constexpr uint32_t INFO_HEADER_SIZE = 40;

// Pixel densities further apart than this are a corrupt header, not a picture.
constexpr int64_t MAX_DENSITY_RATIO = 1000;

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// One colour channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t maximum = 1;

    uint32_t extract(uint32_t pixel) const {
        const uint64_t value = (pixel & mask) >> shift;
        return static_cast<uint32_t>((value * 255 + maximum / 2) / maximum);
    }
};

// A mask must be non-empty, contiguous and inside the pixel's bits.
bool makeChannel(uint32_t mask, int bitsPerPixel, Channel& channel) {
    if (mask == 0) return false;
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0) return false;
    const int shift = std::countr_zero(mask);
    const uint32_t bits = mask >> shift;
    if ((bits & (bits + 1)) != 0) return false;
    channel = Channel{mask, shift, bits};
    return true;
}

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = COMPRESSION_NONE;
    uint32_t coloursUsed = 0;
    uint32_t imageSize = 0;
    size_t paletteStart = 0;
    size_t paletteEntrySize = 4;
    size_t pixelOffset = 0;
    uint32_t masks[3] = {0, 0, 0};
};

bool knownInfoHeaderSize(uint32_t size) {
    return size == INFO_HEADER_SIZE || size == 52 || size == 56 || size == 108 || size == 124;
}

bool readCoreHeader(const uint8_t* h, Header& header) {
    header.width = read16(h + 4);
    header.height = read16(h + 6);
    if (read16(h + 8) != 1) return false;
    header.bitsPerPixel = read16(h + 10);
    header.paletteEntrySize = 3;
    return header.bitsPerPixel == 1 || header.bitsPerPixel == 4 || header.bitsPerPixel == 8 ||
           header.bitsPerPixel == 24;
}

bool sensibleDensities(int64_t x, int64_t y) {
    if (x <= 0 || y <= 0) return true;
    return x <= y * MAX_DENSITY_RATIO && y <= x * MAX_DENSITY_RATIO;
}

bool readInfoHeader(const uint8_t* data, size_t size, uint32_t headerSize, Header& header) {
    const uint8_t* h = data + FILE_HEADER_SIZE;
    const int32_t width = static_cast<int32_t>(read32(h + 4));
    const int32_t height = static_cast<int32_t>(read32(h + 8));
    if (width <= 0 || height == 0 || height < -MAX_BITMAP_SIDE) return false;
    header.width = width;
    header.topDown = height < 0;
    header.height = header.topDown ? -height : height;
    if (read16(h + 12) != 1) return false;
    header.bitsPerPixel = read16(h + 14);
    header.compression = read32(h + 16);
    header.imageSize = read32(h + 20);
    if (!sensibleDensities(static_cast<int32_t>(read32(h + 24)), static_cast<int32_t>(read32(h + 28)))) return false;
    header.coloursUsed = read32(h + 32);
    const int bits = header.bitsPerPixel;
    size_t end = FILE_HEADER_SIZE + headerSize;
    switch (header.compression) {
        case COMPRESSION_NONE:
            if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
            if (bits == 16) {
                header.masks[0] = 0x7C00;
                header.masks[1] = 0x03E0;
                header.masks[2] = 0x001F;
            } else if (bits == 32) {
                header.masks[0] = 0xFF0000;
                header.masks[1] = 0x00FF00;
                header.masks[2] = 0x0000FF;
            }
            break;
        case COMPRESSION_RLE8:
        case COMPRESSION_RLE4:
            if (bits != (header.compression == COMPRESSION_RLE8 ? 8 : 4)) return false;
            // Run-length data is always stored bottom-up.
            if (header.topDown) return false;
            break;
        case COMPRESSION_BIT_FIELDS:
            if (bits != 16 && bits != 32) return false;
            // A plain info header is followed by the three masks; later
            // versions carry them inside the header.
            if (headerSize == INFO_HEADER_SIZE) end += 12;
            if (end > size) return false;
            for (int i = 0; i < 3; ++i) header.masks[i] = read32(h + INFO_HEADER_SIZE + 4 * i);
            break;
        default:
            return false;
    }
    header.paletteStart = end;
    return true;
}

bool readHeader(const uint8_t* data, size_t size, Header& header) {
    if (size < FILE_HEADER_SIZE + CORE_HEADER_SIZE || data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t declaredFileSize = read32(data + 2);
    if (declaredFileSize > size) return false;
    header.pixelOffset = read32(data + 10);
    const uint32_t headerSize = read32(data + FILE_HEADER_SIZE);
    if (headerSize == CORE_HEADER_SIZE) {
        if (!readCoreHeader(data + FILE_HEADER_SIZE, header)) return false;
        header.paletteStart = FILE_HEADER_SIZE + CORE_HEADER_SIZE;
    } else {
        if (!knownInfoHeaderSize(headerSize) || FILE_HEADER_SIZE + headerSize > size) return false;
        if (!readInfoHeader(data, size, headerSize, header)) return false;
    }
    if (header.width <= 0 || header.height <= 0) return false;
    if (header.width > MAX_BITMAP_SIDE || header.height > MAX_BITMAP_SIDE) return false;
    if (static_cast<int64_t>(header.width) * header.height > MAX_BITMAP_PIXELS) return false;
    if (header.pixelOffset < header.paletteStart || header.pixelOffset >= size) return false;
    // A stated image size larger than the file is a forged or truncated file.
    return header.imageSize <= size - header.pixelOffset;
}

// The colour table, cut to what the header declares and the file holds.
bool readPalette(const uint8_t* data, const Header& header, std::vector<uint32_t>& palette) {
    if (header.bitsPerPixel > 8) return true;
    const uint32_t full = 1u << header.bitsPerPixel;
    if (header.coloursUsed > full) return false;
    const size_t declared = header.coloursUsed != 0 ? header.coloursUsed : full;
    const size_t room = (header.pixelOffset - header.paletteStart) / header.paletteEntrySize;
    const size_t count = declared < room ? declared : room;
    if (count == 0) return false;
    palette.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + header.paletteStart + i * header.paletteEntrySize;
        palette[i] = (static_cast<uint32_t>(entry[2]) << 16) | (static_cast<uint32_t>(entry[1]) << 8) | entry[0];
    }
    return true;
}

bool decodeUncompressed(const uint8_t* data, size_t size, const Header& header,
                        const std::vector<uint32_t>& palette, DecodedBitmap& out) {
    const int bits = header.bitsPerPixel;
    const size_t stride = ((static_cast<size_t>(header.width) * bits + 31) / 32) * 4;
    const size_t rowBytes = (static_cast<size_t>(header.width) * bits + 7) / 8;
    // The last row's padding may be missing; its pixels may not.
    const size_t available = size - header.pixelOffset;
    if ((static_cast<size_t>(header.height) - 1) * stride + rowBytes > available) return false;
    Channel channels[3];
    if (bits == 16 || bits == 32) {
        for (int i = 0; i < 3; ++i)
            if (!makeChannel(header.masks[i], bits, channels[i])) return false;
        if ((header.masks[0] & header.masks[1]) || (header.masks[0] & header.masks[2]) ||
            (header.masks[1] & header.masks[2]))
            return false;
    }
    out.pixels.resize(static_cast<size_t>(header.width) * header.height);
    for (int row = 0; row < header.height; ++row) {
        const uint8_t* in = data + header.pixelOffset + static_cast<size_t>(row) * stride;
        const int outRow = header.topDown ? row : header.height - 1 - row;
        uint32_t* target = out.pixels.data() + static_cast<size_t>(outRow) * header.width;
        for (int x = 0; x < header.width; ++x) {
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                const uint32_t index = (in[x / perByte] >> shift) & ((1u << bits) - 1);
                if (index >= palette.size()) return false;
                target[x] = palette[index];
            } else if (bits == 24) {
                const uint8_t* p = in + static_cast<size_t>(x) * 3;
                target[x] = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
            } else {
                const uint32_t v = bits == 16 ? read16(in + static_cast<size_t>(x) * 2)
                                              : read32(in + static_cast<size_t>(x) * 4);
                target[x] = (channels[0].extract(v) << 16) | (channels[1].extract(v) << 8) | channels[2].extract(v);
            }
        }
    }
    return true;
}

// Run-length decoding. Pixels the runs never reach stay black. A run or a
// jump that leaves the picture, or a colour outside the table, rejects the
// file; data that simply ends early keeps what was decoded.
class RleDecoder {
public:
    RleDecoder(const Header& header, const std::vector<uint32_t>& palette, DecodedBitmap& out)
        : header_(header), palette_(palette), out_(out), fourBit_(header.compression == COMPRESSION_RLE4) {}

    bool decode(const uint8_t* in, size_t length) {
        out_.pixels.assign(static_cast<size_t>(header_.width) * header_.height, 0);
        size_t pos = 0;
        while (pos + 2 <= length) {
            const uint8_t count = in[pos];
            const uint8_t value = in[pos + 1];
            pos += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    if (!put(fourBit_ ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value)) return false;
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return true;
            } else if (value == 2) {
                if (pos + 2 > length) return true;
                x_ += in[pos];
                y_ += in[pos + 1];
                pos += 2;
                if (x_ > header_.width || y_ > header_.height) return false;
            } else {
                const size_t bytes = fourBit_ ? (value + 1u) / 2 : value;
                if (pos + bytes > length) return true;
                for (int i = 0; i < value; ++i) {
                    const uint8_t byte = in[pos + (fourBit_ ? i / 2 : i)];
                    if (!put(fourBit_ ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte)) return false;
                }
                pos += (bytes + 1) & ~size_t{1};
            }
        }
        return true;
    }

private:
    bool put(uint32_t index) {
        if (x_ >= header_.width || y_ >= header_.height || index >= palette_.size()) return false;
        const int outRow = header_.height - 1 - y_;
        out_.pixels[static_cast<size_t>(outRow) * header_.width + x_] = palette_[index];
        ++x_;
        return true;
    }

    const Header& header_;
    const std::vector<uint32_t>& palette_;
    DecodedBitmap& out_;
    bool fourBit_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

bool decodeBitmap(const uint8_t* data, size_t size, DecodedBitmap& out) {
    out = DecodedBitmap{};
    if (data == nullptr) return false;
    Header header;
    std::vector<uint32_t> palette;
    if (!readHeader(data, size, header) || !readPalette(data, header, palette)) return false;
    DecodedBitmap result;
    result.width = header.width;
    result.height = header.height;
    bool decoded;
    if (header.compression == COMPRESSION_RLE8 || header.compression == COMPRESSION_RLE4) {
        const size_t available = size - header.pixelOffset;
        const size_t length = header.imageSize != 0 ? header.imageSize : available;
        decoded = RleDecoder(header, palette, result).decode(data + header.pixelOffset, length);
    } else {
        decoded = decodeUncompressed(data, size, header, palette, result);
    }
    if (!decoded) return false;
    out = std::move(result);
    return true;
}

}  // namespace platform
