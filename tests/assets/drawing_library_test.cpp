// The generator's drawing library and picture writers: shape edges, the
// colour-key preparation, and BMP files that the game's decoder reads back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/bitmap_decoder.h"
#include "tools/assetgen/mask.h"
#include "tools/assetgen/picture_files.h"
#include "tools/assetgen/raster.h"
#include "tools/assetgen/shape.h"
#include "tools/assetgen/text_art.h"

namespace {

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("quadrimo_assetgen_") + name)).string();
}

}  // namespace

TEST(DrawingLibrary, ShapesAreNegativeInsideAndCombineAsSets) {
    const Shape disc = Shape::circle(10, 10, 5);
    EXPECT_FLOAT_EQ(disc.distance(10, 10), -5);
    EXPECT_FLOAT_EQ(disc.distance(18, 10), 3);
    const Shape ring = disc.subtract(Shape::circle(10, 10, 2));
    EXPECT_GT(ring.distance(10, 10), 0) << "the hole is outside";
    EXPECT_LT(ring.distance(13.5f, 10), 0);
    // A concave polygon: the notch of a "V" lies outside it.
    const Shape vee = Shape::polygon({{0, 0}, {5, 6}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_GT(vee.distance(5, 2), 0);
    EXPECT_LT(vee.distance(5, 8), 0);
    const Shape star = Shape::star(50, 50, 20, 8, 5);
    EXPECT_LT(star.distance(50, 33), 0) << "the top tip";
    EXPECT_GT(star.distance(50, 65), 0) << "between the two lower tips";
    EXPECT_LT(Shape::heart(0, 0, 20).distance(0, 0), 0);
    EXPECT_LT(disc.grown(4).distance(18, 10), 0);
    EXPECT_LT(disc.moved(5, 0).distance(18, 10), 0);
}

TEST(DrawingLibrary, FilledShapesHaveSoftEdgesAndSolidInsides) {
    Raster raster(20, 20);
    raster.fillShape(Shape::circle(10, 10, 6), Colour{1, 0, 0});
    EXPECT_FLOAT_EQ(raster.at(10, 10).alpha, 1);
    EXPECT_FLOAT_EQ(raster.at(0, 0).alpha, 0);
    bool partial = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) partial = partial || (raster.at(x, y).alpha > 0.05f && raster.at(x, y).alpha < 0.95f);
    EXPECT_TRUE(partial) << "the rim is anti-aliased";
    // Half-transparent white over opaque black gives mid grey, still opaque.
    Raster layered(1, 1);
    layered.fill(Colour{0, 0, 0});
    layered.blend(0, 0, Colour{1, 1, 1}, 0.5f);
    EXPECT_NEAR(layered.at(0, 0).colour.r, 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(layered.at(0, 0).alpha, 1);
}

TEST(DrawingLibrary, KeyedPicturesAreBlackWhereTransparentAndNeverBlackWhereSeen) {
    Raster raster(3, 1);
    raster.blend(0, 0, Colour{1, 1, 1}, 0.3f);        // mostly transparent: becomes the key
    raster.blend(1, 0, Colour{0.01f, 0.0f, 0.01f}, 1);  // seen but nearly black
    raster.blend(2, 0, Colour{1, 0, 0}, 0.6f);        // edge: blended onto the matte
    const Picture picture = keyedPicture(raster, Colour{0, 0, 1});
    EXPECT_EQ(channelByte(picture.pixels[0].r) + channelByte(picture.pixels[0].g) + channelByte(picture.pixels[0].b), 0);
    const Colour& dark = picture.pixels[1];
    EXPECT_TRUE(channelByte(dark.r) >= 8 || channelByte(dark.g) >= 4 || channelByte(dark.b) >= 8);
    EXPECT_NEAR(picture.pixels[2].b, 0.4f, 0.01f);
    EXPECT_NEAR(picture.pixels[2].r, 0.6f, 0.01f);
}

TEST(DrawingLibrary, BmpFilesOfOddWidthsReadBackPixelForPixel) {
    // Widths of 1 to 4 bytes short of a multiple of four exercise the row padding.
    for (int width : {1, 2, 3, 5}) {
        Raster raster(width, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) raster.blend(x, y, Colour{x / 8.0f, y / 4.0f, 1.0f}, 1);
        const std::string path = scratchFile("odd.bmp");
        ASSERT_TRUE(writeBmp(path, opaquePicture(raster, Colour{})));
        std::ifstream file(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        platform::DecodedBitmap decoded;
        ASSERT_TRUE(platform::decodeBitmap(bytes.data(), bytes.size(), decoded)) << width;
        ASSERT_EQ(decoded.width, width);
        ASSERT_EQ(decoded.height, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t expected = uint32_t(channelByte(x / 8.0f)) << 16 | uint32_t(channelByte(y / 4.0f)) << 8 | 255;
                EXPECT_EQ(decoded.pixelAt(x, y), expected) << width << ": " << x << "," << y;
            }
        std::filesystem::remove(path);
    }
    EXPECT_FALSE(writeBmp("/nonexistent-folder/x.bmp", Picture{1, 1, {Colour{}}}));
}

TEST(DrawingLibrary, FittedTextStaysInsideItsBox) {
    for (const char* text : {"High scores", "W", "Congratulations! Your score is among the ten best."}) {
        const Mask mask = TextArt::fit(text, Typeface::sansBold, 100, 14, Crop::ink);
        ASSERT_FALSE(mask.empty()) << text;
        EXPECT_LE(mask.width(), 101) << text;
        EXPECT_LE(mask.height(), 14) << text;
        EXPECT_GE(mask.height(), 8) << text << " is needlessly small";
    }
    // Texts of one size share one line box, so labels side by side line up.
    EXPECT_EQ(TextArt::render("Exit", Typeface::sansBold, 17, Crop::line).height(),
              TextArt::render("Help", Typeface::sansBold, 17, Crop::line).height());
}
