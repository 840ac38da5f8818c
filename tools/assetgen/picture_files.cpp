// 24-bit BMP and uncompressed PNG writing, and the colour-key preparation.
#include "picture_files.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void putLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void putBig(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

uint32_t crc32(const uint8_t* data, size_t length, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBig(out, uint32_t(data.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBig(out, crc32(typed.data(), typed.size()));
}

// A zlib stream made of stored (uncompressed) deflate blocks.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        putLittle(out, uint32_t(length), 2);
        putLittle(out, uint32_t(~length & 0xFFFF), 2);
        out.insert(out.end(), raw.begin() + std::ptrdiff_t(offset), raw.begin() + std::ptrdiff_t(offset + length));
        offset += length;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig(out, (b << 16) | a);
    return out;
}

}  // namespace

int channelByte(float c) { return int(std::lround(std::clamp(c, 0.0f, 1.0f) * 255)); }

Picture opaquePicture(const Raster& raster, const Colour& background) {
    return {raster.width(), raster.height(), raster.flattened(background)};
}

Picture keyedPicture(const Raster& raster, const Colour& matte) {
    Picture picture{raster.width(), raster.height(), {}};
    picture.pixels.reserve(size_t(raster.width()) * raster.height());
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x) {
            const Pixel& p = raster.at(x, y);
            if (p.alpha < 0.5f) {
                picture.pixels.push_back({0, 0, 0});
                continue;
            }
            Colour c = matte.mix(p.colour, p.alpha).clamped();
            // 5-6-5 keeps the top 5, 6 and 5 bits: one of them must stay set.
            if (channelByte(c.r) < 8 && channelByte(c.g) < 4 && channelByte(c.b) < 8) c.b = 16 / 255.0f;
            picture.pixels.push_back(c);
        }
    return picture;
}

bool writeBmp(const std::string& path, const Picture& picture) {
    const int rowBytes = (picture.width * 3 + 3) & ~3;
    const uint32_t dataSize = uint32_t(rowBytes) * picture.height;
    std::vector<uint8_t> out = {'B', 'M'};
    putLittle(out, 54 + dataSize, 4);
    putLittle(out, 0, 4);
    putLittle(out, 54, 4);
    putLittle(out, 40, 4);
    putLittle(out, uint32_t(picture.width), 4);
    putLittle(out, uint32_t(picture.height), 4);  // positive: rows stored bottom-up
    putLittle(out, 1, 2);
    putLittle(out, 24, 2);
    putLittle(out, 0, 4);  // no compression
    putLittle(out, dataSize, 4);
    putLittle(out, 2835, 4);  // 72 dots per inch
    putLittle(out, 2835, 4);
    putLittle(out, 0, 4);
    putLittle(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Colour& c = picture.pixels[size_t(y) * picture.width + x];
            out.push_back(uint8_t(channelByte(c.b)));
            out.push_back(uint8_t(channelByte(c.g)));
            out.push_back(uint8_t(channelByte(c.r)));
        }
        for (int pad = picture.width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return writeBytes(path, out);
}

bool writePng(const std::string& path, const Raster& raster) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBig(header, uint32_t(raster.width()));
    putBig(header, uint32_t(raster.height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    putChunk(out, "IHDR", header);
    std::vector<uint8_t> raw;
    raw.reserve(size_t(raster.height()) * (raster.width() * 4 + 1));
    for (int y = 0; y < raster.height(); ++y) {
        raw.push_back(0);  // no row filter
        for (int x = 0; x < raster.width(); ++x) {
            const Pixel& p = raster.at(x, y);
            raw.push_back(uint8_t(channelByte(p.colour.r)));
            raw.push_back(uint8_t(channelByte(p.colour.g)));
            raw.push_back(uint8_t(channelByte(p.colour.b)));
            raw.push_back(uint8_t(channelByte(p.alpha)));
        }
    }
    putChunk(out, "IDAT", storedZlib(raw));
    putChunk(out, "IEND", {});
    return writeBytes(path, out);
}
