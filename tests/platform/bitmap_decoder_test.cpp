// Bitmap decoding against the BMP test suite and forged headers.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/bitmap_decoder.h"

using platform::DecodedBitmap;
using platform::decodeBitmap;

namespace {

const std::string suiteDir = std::string(QUADRIMO_TESTDATA_DIR) + "/bmpsuite/";

std::vector<uint8_t> readBytes(const std::string& path) {
    std::vector<uint8_t> bytes(std::filesystem::file_size(path));
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), std::ssize(bytes));
    return bytes;
}

bool decodeBytes(const std::vector<uint8_t>& bytes, DecodedBitmap& out) {
    return decodeBitmap(bytes.data(), bytes.size(), out);
}

// FNV-1a over the 0xRRGGBB values: a compact fingerprint of a whole picture.
uint64_t fingerprint(const DecodedBitmap& bitmap) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (uint32_t pixel : bitmap.pixels) hash = (hash ^ pixel) * 0x100000001b3ull;
    return hash;
}

void put32(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

}  // namespace

TEST(BitmapDecoder, GoodSuiteFilesShowTheirPicture) {
    // Fingerprints of the pictures as an independent decoder reads them.
    const std::pair<uint64_t, std::vector<const char*>> expected[] = {
        {0x8776d2f18ff4318eull, {"rgb24", "rgb24pal", "rgb32", "rgb32bf", "rgb32bfdef"}},
        {0xc3439b7127229c3dull, {"pal8", "pal8-0", "pal8os2", "pal8rle", "pal8topdown", "pal8v4", "pal8v5"}},
        {0xeb95c184caef542dull, {"pal1", "pal1wb"}},
        {0xf8397a11da3d2925ull, {"pal4", "pal4rle"}},
        {0x4ac2f07fdadd4079ull, {"pal1bg"}},
        {0x1bf188e6d538ff2eull, {"pal4gs"}},
        {0x180779eaa79f86afull, {"pal8gs"}},
        {0x1bb4acabc4f9c2a6ull, {"pal8nonsquare"}},
        {0x94f5dbbdd1a3da8dull, {"pal8w124"}},
        {0x8effe6b152c39359ull, {"pal8w125"}},
        {0x66f2523bf356a55aull, {"pal8w126"}},
    };
    for (const auto& [hash, names] : expected) {
        for (const char* name : names) {
            DecodedBitmap bitmap;
            ASSERT_TRUE(decodeBytes(readBytes(suiteDir + "g/" + name + ".bmp"), bitmap)) << name;
            EXPECT_EQ(fingerprint(bitmap), hash) << name;
        }
    }

    DecodedBitmap reference;
    ASSERT_TRUE(decodeBytes(readBytes(suiteDir + "g/rgb24.bmp"), reference));
    ASSERT_EQ(std::pair(reference.width, reference.height), std::pair(127, 64));
    // Red, green, blue and grey bands across the top, black bottom-left.
    EXPECT_EQ((std::vector<uint32_t>{reference.pixelAt(0, 0), reference.pixelAt(32, 0), reference.pixelAt(64, 0),
                                     reference.pixelAt(96, 0), reference.pixelAt(0, 63)}),
              (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x9F9F9F, 0x000000}));

    // The 16-bit files hold the same picture with 5 or 6 bits per channel.
    for (const char* name : {"rgb16", "rgb16-565", "rgb16-565pal", "rgb16bfdef"}) {
        DecodedBitmap bitmap;
        ASSERT_TRUE(decodeBytes(readBytes(suiteDir + "g/" + name + ".bmp"), bitmap)) << name;
        ASSERT_EQ(bitmap.pixels.size(), reference.pixels.size()) << name;
        for (size_t i = 0; i < bitmap.pixels.size(); ++i)
            for (int shift : {0, 8, 16})
                ASSERT_NEAR((bitmap.pixels[i] >> shift) & 0xFF, (reference.pixels[i] >> shift) & 0xFF, 4) << name;
    }
}

TEST(BitmapDecoder, QuestionableFilesLoadOrAreRejectedAndBadFilesAreRejected) {
    for (const char* folder : {"q", "b"}) {
        for (const auto& entry : std::filesystem::directory_iterator(suiteDir + folder)) {
            DecodedBitmap bitmap;
            const bool loaded = decodeBytes(readBytes(entry.path().string()), bitmap);
            EXPECT_TRUE(folder[0] == 'q' || !loaded) << entry.path();
            EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width) * bitmap.height) << entry.path();
            EXPECT_EQ(loaded, !bitmap.pixels.empty()) << entry.path();
        }
    }
}

TEST(BitmapDecoder, TruncatedAndForgedFilesAreHandled) {
    for (const char* name : {"pal4rle", "pal8rle", "rgb16-565", "pal8os2", "pal8v5"}) {
        const std::vector<uint8_t> whole = readBytes(suiteDir + "g/" + name + ".bmp");
        for (size_t length = 0; length < whole.size(); ++length) {
            // A copy of exactly this length, so a sanitizer sees any overrun.
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            DecodedBitmap bitmap;
            if (decodeBytes(cut, bitmap)) {
                EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width) * bitmap.height) << name;
            }
        }
    }
    DecodedBitmap bitmap;
    EXPECT_FALSE(decodeBitmap(nullptr, 100, bitmap));

    // Width at offset 18, height at 22 of a version 3 header.
    std::vector<uint8_t> forged = readBytes(suiteDir + "g/pal1.bmp");
    put32(forged, 18, 40000);  // far more pixels than the file's bits hold
    put32(forged, 22, 40000);
    EXPECT_FALSE(decodeBytes(forged, bitmap));
    put32(forged, 18, 1);
    put32(forged, 22, INT_MIN);  // a height with no positive counterpart
    EXPECT_FALSE(decodeBytes(forged, bitmap));
    put32(forged, 22, -1);  // top-down, one row
    EXPECT_TRUE(decodeBytes(forged, bitmap));

    // Run-length data may leave pixels out, but not pass the size cap.
    forged = readBytes(suiteDir + "g/pal8rle.bmp");
    put32(forged, 18, 16384);
    put32(forged, 22, 16384);
    EXPECT_FALSE(decodeBytes(forged, bitmap));
    put32(forged, 18, 1024);
    put32(forged, 22, 1024);
    ASSERT_TRUE(decodeBytes(forged, bitmap));
    EXPECT_EQ(bitmap.pixelAt(1023, 0), 0u);  // never reached by a run: black
}
