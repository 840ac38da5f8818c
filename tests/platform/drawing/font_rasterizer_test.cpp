// Font lookup, cell heights and rendering into the cell; smooth edges and
// measuring are checked with the canvas that uses them.
#include "platform/drawing/font_rasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using platform::FontRasterizer;
using platform::TextCoverage;

TEST(FontRasterizerTest, ArialIsAMetricCompatibleFaceAndHeightsCountTheCellOrTheCharacter) {
    EXPECT_NE(FontRasterizer::resolveFontFile("Arial", false).find("LiberationSans"), std::string::npos);
    EXPECT_NE(FontRasterizer::resolveFontFile("Arial", true).find("Bold"), std::string::npos);
    EXPECT_TRUE(FontRasterizer("No Such Face At All", 16).isOpen());
    EXPECT_TRUE(FontRasterizer(nullptr, 16).isOpen());
    EXPECT_EQ(FontRasterizer("Arial", 16).cellHeight(), 16);
    // The cell of a 16-pixel character also holds the internal leading.
    EXPECT_GT(FontRasterizer("Arial", -16).cellHeight(), 16);
    EXPECT_GT(FontRasterizer("Arial", 0).cellHeight(), 0);
}

TEST(FontRasterizerTest, RendersIntoACellHighBitmapIncludingLatin1) {
    FontRasterizer font("Arial", 16);
    TextCoverage text;
    ASSERT_TRUE(font.render("Wo\xE9", 3, text));
    int width = 0;
    int height = 0;
    font.measure("Wo\xE9", 3, width, height);
    EXPECT_EQ(text.height, 16);
    EXPECT_GE(text.width, width - 1);
    ASSERT_EQ(text.pixels.size(), static_cast<size_t>(text.width) * text.height);
    EXPECT_GT(std::count_if(text.pixels.begin(), text.pixels.end(), [](uint8_t c) { return c > 160; }), 10);
    // The cell's top row holds the internal leading: nothing is drawn there.
    for (int x = 0; x < text.width; ++x) EXPECT_EQ(text.at(x, 0), 0);
    TextCoverage empty;
    EXPECT_TRUE(font.render("", 0, empty));
    EXPECT_EQ(empty.width, 0);
}
