// The generator's drawing library and picture writers: soft edges, the
// colour-key preparation, and BMP files that the game's decoder reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/files/bitmap_decoder.h"
#include "tools/assetgen/picture_files.h"
#include "tools/assetgen/raster.h"
#include "tools/assetgen/shape.h"

TEST(DrawingLibrary, EdgesAreSoftAndKeyedPicturesAreBlackOnlyWhereTransparent) {
    Raster raster(20, 20);
    raster.fillShape(Shape::circle(10, 10, 6), Colour{1, 0, 0});
    EXPECT_FLOAT_EQ(raster.at(10, 10).alpha, 1);
    EXPECT_FLOAT_EQ(raster.at(0, 0).alpha, 0);
    int partial = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) partial += raster.at(x, y).alpha > 0.05f && raster.at(x, y).alpha < 0.95f;
    EXPECT_GT(partial, 0) << "the rim is anti-aliased";

    Raster keyed(3, 1);
    keyed.blend(0, 0, Colour{1, 1, 1}, 0.3f);        // mostly transparent: becomes the key
    keyed.blend(1, 0, Colour{0.01f, 0.0f, 0.01f}, 1);  // seen but nearly black
    keyed.blend(2, 0, Colour{1, 0, 0}, 0.6f);        // edge: blended onto the matte
    const Picture picture = keyedPicture(keyed, Colour{0, 0, 1});
    EXPECT_EQ(channelByte(picture.pixels[0].r) + channelByte(picture.pixels[0].g) + channelByte(picture.pixels[0].b), 0);
    const Colour& dark = picture.pixels[1];
    EXPECT_TRUE(channelByte(dark.r) >= 8 || channelByte(dark.g) >= 4 || channelByte(dark.b) >= 8);
    EXPECT_NEAR(picture.pixels[2].b, 0.4f, 0.01f);
    EXPECT_NEAR(picture.pixels[2].r, 0.6f, 0.01f);
}

TEST(DrawingLibrary, BmpFilesOfOddWidthsReadBackPixelForPixel) {
    const std::string path = (std::filesystem::temp_directory_path() / "quadrimo_assetgen_odd.bmp").string();
    // Widths of 1 to 4 bytes short of a multiple of four exercise the row padding.
    for (int width : {1, 2, 3, 5}) {
        Raster raster(width, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) raster.blend(x, y, Colour{x / 8.0f, y / 4.0f, 1.0f}, 1);
        ASSERT_TRUE(writeBmp(path, opaquePicture(raster, Colour{})));
        std::ifstream file(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        platform::DecodedBitmap decoded;
        ASSERT_TRUE(platform::decodeBitmap(bytes.data(), bytes.size(), decoded)) << width;
        ASSERT_EQ(std::pair(decoded.width, decoded.height), std::pair(width, 3));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(decoded.pixelAt(x, y), uint32_t(channelByte(x / 8.0f)) << 16 | uint32_t(channelByte(y / 4.0f)) << 8 | 255)
                    << width << ": " << x << "," << y;
    }
    std::filesystem::remove(path);
    EXPECT_FALSE(writeBmp("/nonexistent-folder/x.bmp", Picture{1, 1, {Colour{}}}));
}
