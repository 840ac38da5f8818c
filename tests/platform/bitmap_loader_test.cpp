// Bitmap files into surfaces: reading, stretching and pixel conversion.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/bitmap_loader.h"
#include "platform/file_reader.h"
#include "platform/surface.h"
#include "support/test_bitmaps.h"

using platform::DecodedBitmap;

TEST(BitmapLoader, StretchesToTheDeclaredSizeByNearestNeighbour) {
    TemporaryFolder folder;
    const std::string path = folder.path("quarters.bmp");
    // 2 x 2: red, green / blue, white.
    const uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    ASSERT_TRUE(writeBitmapFile(path, makePicture(2, 2, [&](int x, int y) { return colours[y * 2 + x]; })));
    DecodedBitmap bitmap;
    ASSERT_TRUE(platform::loadBitmapFile(path.c_str(), 4, 6, bitmap));
    ASSERT_EQ(bitmap.width, 4);
    ASSERT_EQ(bitmap.height, 6);
    EXPECT_EQ(bitmap.pixelAt(1, 2), 0xFF0000u);
    EXPECT_EQ(bitmap.pixelAt(2, 2), 0x00FF00u);
    EXPECT_EQ(bitmap.pixelAt(1, 3), 0x0000FFu);
    EXPECT_EQ(bitmap.pixelAt(3, 5), 0xFFFFFFu);
    // Shrinking keeps every other pixel; a size of 0 keeps the file's own.
    ASSERT_TRUE(platform::loadBitmapFile(path.c_str(), 1, 0, bitmap));
    ASSERT_EQ(bitmap.width, 1);
    ASSERT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.pixelAt(0, 1), 0x0000FFu);
}

TEST(BitmapLoader, MissingUnreadableAndBrokenFilesLoadNothing) {
    TemporaryFolder folder;
    DecodedBitmap bitmap;
    EXPECT_FALSE(platform::loadBitmapFile(folder.path("absent.bmp").c_str(), 4, 4, bitmap));
    EXPECT_FALSE(platform::loadBitmapFile(folder.path("").c_str(), 4, 4, bitmap));  // a folder
    EXPECT_FALSE(platform::loadBitmapFile(nullptr, 4, 4, bitmap));
    std::ofstream(folder.path("text.bmp")) << "BM this is not a picture";
    EXPECT_FALSE(platform::loadBitmapFile(folder.path("text.bmp").c_str(), 4, 4, bitmap));
    EXPECT_TRUE(bitmap.pixels.empty());

    std::vector<uint8_t> bytes;
    EXPECT_FALSE(platform::readWholeFile(folder.path("text.bmp").c_str(), 10, bytes));
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(platform::readWholeFile(folder.path("text.bmp").c_str(), 1000, bytes));
    EXPECT_EQ(bytes.size(), 24u);
}

TEST(BitmapLoader, ConvertsToEachSurfaceDepthFromTheTopLeftCorner) {
    const DecodedBitmap picture = makePicture(3, 2, [](int x, int y) { return x == 1 && y == 1 ? 0xFF8040u : 0u; });
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
