// Bitmap files and temporary folders for tests.
#include "support/test_bitmaps.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include <stdlib.h>

platform::DecodedBitmap makePicture(int width, int height, const std::function<uint32_t(int, int)>& colourAt) {
    platform::DecodedBitmap picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.pixels.push_back(colourAt(x, y) & 0xFFFFFF);
    return picture;
}

bool writeBitmapFile(const std::string& path, const platform::DecodedBitmap& picture) {
    const uint32_t stride = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * static_cast<uint32_t>(picture.height);
    std::vector<uint8_t> bytes;
    auto put16 = [&](uint32_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    bytes.push_back('B');
    bytes.push_back('M');
    put32(54 + dataSize);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<uint32_t>(picture.width));
    put32(static_cast<uint32_t>(picture.height));
    put16(1);
    put16(24);
    put32(0);
    put32(dataSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t colour = picture.pixelAt(x, y);
            bytes.push_back(static_cast<uint8_t>(colour));
            bytes.push_back(static_cast<uint8_t>(colour >> 8));
            bytes.push_back(static_cast<uint8_t>(colour >> 16));
        }
        bytes.resize(bytes.size() + (stride - static_cast<uint32_t>(picture.width) * 3));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

TemporaryFolder::TemporaryFolder() {
    char pattern[] = "/tmp/quadrimo-bitmaps-XXXXXX";
    if (mkdtemp(pattern) != nullptr) folder_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}
