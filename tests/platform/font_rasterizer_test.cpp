// Font lookup, cell heights, measuring and smooth rendering.
#include "platform/font_rasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using platform::FontRasterizer;
using platform::TextCoverage;

TEST(FontRasterizerTest, ArialResolvesToAMetricCompatibleFaceAndUnknownFacesToSomeSansSerif) {
    EXPECT_NE(FontRasterizer::resolveFontFile("Arial", false).find("LiberationSans"), std::string::npos);
    EXPECT_NE(FontRasterizer::resolveFontFile("Arial", true).find("Bold"), std::string::npos);
    FontRasterizer unknown("No Such Face At All", 16);
    EXPECT_TRUE(unknown.isOpen());
    FontRasterizer unnamed(nullptr, 16);
    EXPECT_TRUE(unnamed.isOpen());
}

TEST(FontRasterizerTest, PositiveHeightIsTheCellAndNegativeHeightTheCharacter) {
    FontRasterizer cell("Arial", 16);
    ASSERT_TRUE(cell.isOpen());
    EXPECT_EQ(cell.cellHeight(), 16);
    FontRasterizer character("Arial", -16);
    // The cell of a 16-pixel character also holds the internal leading.
    EXPECT_GT(character.cellHeight(), 16);
    FontRasterizer defaulted("Arial", 0);
    EXPECT_GT(defaulted.cellHeight(), 0);
}

TEST(FontRasterizerTest, MeasuresOnlyTheGivenLengthAndStopsAtTheTerminator) {
    FontRasterizer font("Arial", 16);
    int w = -1;
    int h = -1;
    ASSERT_TRUE(font.measure("Hello", 0, w, h));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 16);
    int w3 = 0;
    int w5 = 0;
    font.measure("Hello", 3, w3, h);
    font.measure("Hello", 5, w5, h);
    EXPECT_GT(w3, 0);
    EXPECT_GT(w5, w3);
    int beyond = 0;
    font.measure("Hello", 50, beyond, h);
    EXPECT_EQ(beyond, w5);
    EXPECT_TRUE(font.measure(nullptr, 4, w, h));
    EXPECT_EQ(w, 0);
}

TEST(FontRasterizerTest, RendersSmoothEdgesIntoACellHighBitmapIncludingLatin1) {
    FontRasterizer font("Arial", 16);
    TextCoverage text;
    ASSERT_TRUE(font.render("Wo\xE9", 3, text));
    int width = 0;
    int height = 0;
    font.measure("Wo\xE9", 3, width, height);
    EXPECT_EQ(text.height, 16);
    EXPECT_GE(text.width, width - 1);
    ASSERT_EQ(text.pixels.size(), static_cast<size_t>(text.width) * text.height);
    const auto solid = std::count_if(text.pixels.begin(), text.pixels.end(), [](uint8_t c) { return c > 160; });
    const auto partial =
        std::count_if(text.pixels.begin(), text.pixels.end(), [](uint8_t c) { return c > 0 && c < 100; });
    EXPECT_GT(solid, 10);
    EXPECT_GT(partial, 10);
    // The cell's top row holds the internal leading: nothing is drawn there.
    for (int x = 0; x < text.width; ++x) EXPECT_EQ(text.at(x, 0), 0);

    TextCoverage empty;
    EXPECT_TRUE(font.render("", 0, empty));
    EXPECT_EQ(empty.width, 0);
}
