// Bitmap decoding against the BMP test suite and hand-made broken files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/bitmap_decoder.h"

using platform::DecodedBitmap;
using platform::decodeBitmap;

namespace {

const std::string suiteDir = std::string(QUADRIMO_TESTDATA_DIR) + "/bmpsuite/";

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool decodeFile(const std::string& path, DecodedBitmap& out) {
    const std::vector<uint8_t> bytes = readBytes(path);
    return decodeBitmap(bytes.data(), bytes.size(), out);
}

// FNV-1a over the 0xRRGGBB values: a compact fingerprint of a whole picture.
uint64_t fingerprint(const DecodedBitmap& bitmap) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (uint32_t pixel : bitmap.pixels) {
        hash ^= pixel;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::vector<std::string> suiteFiles(const char* folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(suiteDir + folder))
        if (entry.path().extension() == ".bmp") files.push_back(entry.path().string());
    return files;
}

int largestChannelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        if (d > largest) largest = d;
    }
    return largest;
}

// A little-endian writer for hand-made files.
struct Bytes {
    std::vector<uint8_t> data;
    void u16(uint32_t v) {
        data.push_back(static_cast<uint8_t>(v));
        data.push_back(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
};

// File and info headers; the caller appends palette and pixel data.
Bytes infoHeader(int32_t width, int32_t height, int bits, uint32_t compression, uint32_t pixelOffset,
                 uint32_t colours = 0) {
    Bytes b;
    b.data = {'B', 'M'};
    b.u32(0);
    b.u32(0);
    b.u32(pixelOffset);
    b.u32(40);
    b.u32(static_cast<uint32_t>(width));
    b.u32(static_cast<uint32_t>(height));
    b.u16(1);
    b.u16(static_cast<uint32_t>(bits));
    b.u32(compression);
    b.u32(0);
    b.u32(2835);
    b.u32(2835);
    b.u32(colours);
    b.u32(0);
    return b;
}

}  // namespace

TEST(BitmapDecoder, GoodSuiteFilesShowTheirPicture) {
    // Fingerprints of the pictures as an independent decoder reads them.
    const std::pair<const char*, uint64_t> expected[] = {
        {"pal1.bmp", 0xeb95c184caef542dull},          {"pal1bg.bmp", 0x4ac2f07fdadd4079ull},
        {"pal1wb.bmp", 0xeb95c184caef542dull},        {"pal4.bmp", 0xf8397a11da3d2925ull},
        {"pal4gs.bmp", 0x1bf188e6d538ff2eull},        {"pal4rle.bmp", 0xf8397a11da3d2925ull},
        {"pal8-0.bmp", 0xc3439b7127229c3dull},        {"pal8.bmp", 0xc3439b7127229c3dull},
        {"pal8gs.bmp", 0x180779eaa79f86afull},        {"pal8nonsquare.bmp", 0x1bb4acabc4f9c2a6ull},
        {"pal8os2.bmp", 0xc3439b7127229c3dull},       {"pal8rle.bmp", 0xc3439b7127229c3dull},
        {"pal8topdown.bmp", 0xc3439b7127229c3dull},   {"pal8v4.bmp", 0xc3439b7127229c3dull},
        {"pal8v5.bmp", 0xc3439b7127229c3dull},        {"pal8w124.bmp", 0x94f5dbbdd1a3da8dull},
        {"pal8w125.bmp", 0x8effe6b152c39359ull},      {"pal8w126.bmp", 0x66f2523bf356a55aull},
        {"rgb24.bmp", 0x8776d2f18ff4318eull},         {"rgb24pal.bmp", 0x8776d2f18ff4318eull},
        {"rgb32.bmp", 0x8776d2f18ff4318eull},         {"rgb32bf.bmp", 0x8776d2f18ff4318eull},
        {"rgb32bfdef.bmp", 0x8776d2f18ff4318eull},
    };
    for (const auto& [name, hash] : expected) {
        DecodedBitmap bitmap;
        ASSERT_TRUE(decodeFile(suiteDir + "g/" + name, bitmap)) << name;
        EXPECT_EQ(fingerprint(bitmap), hash) << name;
    }

    DecodedBitmap reference;
    ASSERT_TRUE(decodeFile(suiteDir + "g/rgb24.bmp", reference));
    ASSERT_EQ(reference.width, 127);
    ASSERT_EQ(reference.height, 64);
    // Red, green, blue and grey bands across the top; the black "BMP" outline.
    EXPECT_EQ(reference.pixelAt(0, 0), 0xFF0000u);
    EXPECT_EQ(reference.pixelAt(32, 0), 0x00FF00u);
    EXPECT_EQ(reference.pixelAt(64, 0), 0x0000FFu);
    EXPECT_EQ(reference.pixelAt(96, 0), 0x9F9F9Fu);
    EXPECT_EQ(reference.pixelAt(0, 63), 0x000000u);
    EXPECT_EQ(reference.pixelAt(40, 25), 0x429A42u);

    // The 16-bit files hold the same picture with 5 or 6 bits per channel.
    for (const char* name : {"rgb16.bmp", "rgb16-565.bmp", "rgb16-565pal.bmp", "rgb16bfdef.bmp"}) {
        DecodedBitmap bitmap;
        ASSERT_TRUE(decodeFile(suiteDir + "g/" + name, bitmap)) << name;
        ASSERT_EQ(bitmap.pixels.size(), reference.pixels.size()) << name;
        int worst = 0;
        for (size_t i = 0; i < bitmap.pixels.size(); ++i)
            worst = std::max(worst, largestChannelDifference(bitmap.pixels[i], reference.pixels[i]));
        EXPECT_LE(worst, 4) << name;
    }
}

TEST(BitmapDecoder, QuestionableFilesLoadOrAreRejectedAndBadFilesAreRejected) {
    for (const std::string& path : suiteFiles("q")) {
        DecodedBitmap bitmap;
        if (decodeFile(path, bitmap)) {
            EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width) * bitmap.height) << path;
        } else {
            EXPECT_TRUE(bitmap.pixels.empty()) << path;
        }
    }
    for (const std::string& path : suiteFiles("b")) {
        DecodedBitmap bitmap;
        EXPECT_FALSE(decodeFile(path, bitmap)) << path;
        EXPECT_EQ(bitmap.width, 0) << path;
    }
}

TEST(BitmapDecoder, EveryTruncationOfAGoodFileIsHandled) {
    for (const char* name : {"pal4rle.bmp", "pal8rle.bmp", "rgb16-565.bmp", "pal8os2.bmp", "pal8v5.bmp"}) {
        const std::vector<uint8_t> whole = readBytes(suiteDir + "g/" + name);
        for (size_t length = 0; length < whole.size(); ++length) {
            // A fresh copy of exactly this length, so a sanitizer sees any overrun.
            std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            DecodedBitmap bitmap;
            if (decodeBitmap(cut.data(), cut.size(), bitmap)) {
                EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width) * bitmap.height);
            }
        }
    }
    DecodedBitmap bitmap;
    EXPECT_FALSE(decodeBitmap(nullptr, 100, bitmap));
}

TEST(BitmapDecoder, ReadsTopDownRowsWithoutTheLastRowsPadding) {
    Bytes file = infoHeader(2, -2, 24, 0, 54);
    // Row 0 (top): red, green; row 1: blue, white. Rows pad to 8 bytes, but
    // the last row's padding is left out, as some writers do.
    for (uint32_t v : {0xFF0000u, 0x00FF00u}) {
        file.data.insert(file.data.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16)});
    }
    file.data.insert(file.data.end(), {0, 0});
    file.data.insert(file.data.end(), {0xFF, 0, 0, 0xFF, 0xFF, 0xFF});
    DecodedBitmap bitmap;
    ASSERT_TRUE(decodeBitmap(file.data.data(), file.data.size(), bitmap));
    EXPECT_EQ(bitmap.pixelAt(0, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.pixelAt(1, 0), 0x00FF00u);
    EXPECT_EQ(bitmap.pixelAt(0, 1), 0x0000FFu);
    EXPECT_EQ(bitmap.pixelAt(1, 1), 0xFFFFFFu);
}

TEST(BitmapDecoder, RefusesHeadersThatAskForMoreThanTheFileHolds) {
    DecodedBitmap bitmap;
    // 1 bit per pixel claims 40000 x 40000 with only a few bytes of data.
    Bytes big = infoHeader(40000, 40000, 1, 0, 62, 2);
    big.u32(0);
    big.u32(0xFFFFFF);
    big.data.resize(big.data.size() + 64);
    EXPECT_FALSE(decodeBitmap(big.data.data(), big.data.size(), bitmap));
    // The most negative height cannot be turned into a positive one.
    Bytes negative = infoHeader(1, INT32_MIN, 24, 0, 54);
    negative.data.resize(negative.data.size() + 4);
    EXPECT_FALSE(decodeBitmap(negative.data.data(), negative.data.size(), bitmap));
    // Run-length data may leave pixels out, but the size cap still holds.
    Bytes rle = infoHeader(16384, 16384, 8, 1, 58, 1);
    rle.u32(0x00FFFFFF);
    rle.data.insert(rle.data.end(), {0, 1});
    EXPECT_FALSE(decodeBitmap(rle.data.data(), rle.data.size(), bitmap));
    // A run that passes the end of its row.
    Bytes overrun = infoHeader(4, 1, 8, 1, 58, 1);
    overrun.u32(0x00FFFFFF);
    overrun.data.insert(overrun.data.end(), {5, 0, 0, 1});
    EXPECT_FALSE(decodeBitmap(overrun.data.data(), overrun.data.size(), bitmap));
    overrun.data[overrun.data.size() - 4] = 4;
    ASSERT_TRUE(decodeBitmap(overrun.data.data(), overrun.data.size(), bitmap));
    EXPECT_EQ(bitmap.pixelAt(3, 0), 0xFFFFFFu);
}
