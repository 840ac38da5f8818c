// Bitmap files into surfaces: reading, stretching and pixel conversion.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/bitmap_loader.h"
#include "platform/files/file_reader.h"
#include "platform/drawing/surface.h"
#include "support/bitmap_writer.h"

using platform::DecodedBitmap;

TEST(BitmapLoader, StretchesByNearestNeighbourAndLoadsNothingFromBadFiles) {
    const DecodedBitmap picture =
        bmptest::patternPicture(127, 64, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x9F9F9F, 0x123456});
    const std::string path = bmptest::saveTemporary("loader.bmp", bmptest::writeBitmap(picture, bmptest::Layout{}));
    DecodedBitmap bitmap;
    ASSERT_TRUE(platform::loadBitmapFile(path.c_str(), 0, 0, bitmap));  // 0: the file's own size
    EXPECT_EQ(bitmap.pixels, picture.pixels);
    ASSERT_TRUE(platform::loadBitmapFile(path.c_str(), 254, 192, bitmap));
    ASSERT_EQ(std::pair(bitmap.width, bitmap.height), std::pair(254, 192));
    for (int y = 0; y < 192; y += 7)
        for (int x = 0; x < 254; x += 5) ASSERT_EQ(bitmap.pixelAt(x, y), picture.pixelAt(x / 2, y / 3));
    ASSERT_TRUE(platform::loadBitmapFile(path.c_str(), 64, 32, bitmap));
    EXPECT_EQ(bitmap.pixelAt(63, 31), picture.pixelAt(63 * 127 / 64, 62));

    const std::string folder = std::filesystem::path(path).parent_path().string();
    const std::string text = bmptest::saveTemporary("notes.txt", bmptest::Bytes(273, 'x'));
    for (const std::string& bad : {folder + "/absent.bmp", folder, text})
        EXPECT_FALSE(platform::loadBitmapFile(bad.c_str(), 4, 4, bitmap)) << bad;
    EXPECT_FALSE(platform::loadBitmapFile(nullptr, 4, 4, bitmap));
    EXPECT_TRUE(bitmap.pixels.empty());
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(platform::readWholeFile(text.c_str(), 272, bytes));
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(platform::readWholeFile(text.c_str(), 273, bytes));
    EXPECT_EQ(bytes.size(), 273u);
}

TEST(BitmapLoader, ConvertsToEachSurfaceDepthFromTheTopLeftCorner) {
    const DecodedBitmap picture{3, 2, {0, 0, 0, 0, 0xFF8040, 0}};
    const std::pair<int, uint32_t> expected[] = {{16, 0xFC08u}, {24, 0xFF8040u}, {32, 0xFF8040u}};
    for (const auto& [bits, value] : expected) {
        platform::Surface surface(2, 3, bits);
        surface.fill(platform::Rect{0, 0, 2, 3}, 0x1234);
        ASSERT_TRUE(platform::copyBitmapToSurface(picture, surface)) << bits;
        EXPECT_EQ(surface.pixelAt(1, 1), value) << bits;
        EXPECT_EQ(surface.pixelAt(0, 0), 0u) << bits;
        EXPECT_EQ(surface.pixelAt(1, 2), 0x1234u) << bits;  // below the picture: untouched
        EXPECT_FALSE(surface.isLocked());
    }
    platform::Surface lost(3, 2, 16);
    lost.setLost(true);
    EXPECT_FALSE(platform::copyBitmapToSurface(picture, lost));
}
