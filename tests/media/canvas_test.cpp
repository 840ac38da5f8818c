// Fills, lines and text on the back buffer at each depth.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

#include "app/application.h"
#include "platform/drawing/rect.h"
#include "platform/drawing/surface.h"
#include "support/test_application.h"

namespace {

// The bounding box of pixels that differ from background inside area.
platform::Rect inked(const platform::Surface& s, uint32_t background, const platform::Rect& area) {
    platform::Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (s.pixelAt(x, y) == background) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    }
    return box;
}

}  // namespace

TEST(Canvas, FillConvertsColoursPerDepthAndIsClipped) {
    // At 16 bits each channel is truncated; at 32 the top byte is set.
    const std::tuple<int, uint32_t, uint32_t> cases[] = {
        {16, 0xFF9900, 0xFCA0}, {16, 0x000022, 0x0004},     {16, 0xFFFFFF, 0xFFFF},
        {16, 0x808080, 0x7BEF}, {32, 0x123456, 0xFF123456}, {24, 0xABCDEF, 0xABCDEF}};
    for (const auto& [bits, colour, pixel] : cases) {
        TestApplication test(bits);
        const auto& s = test.backBuffer();
        ASSERT_TRUE(test.app().fillRect(5, 5, 3, 2, colour));
        EXPECT_EQ(std::vector<uint32_t>({s.pixelAt(5, 5), s.pixelAt(7, 6), s.pixelAt(8, 5) | s.pixelAt(5, 7)}),
                  std::vector<uint32_t>({pixel, pixel, 0}))
            << std::hex << colour;
        ASSERT_TRUE(test.app().fillRect(-10, -10, 820, 620, colour));
        EXPECT_EQ(std::vector<uint32_t>({s.pixelAt(0, 0), s.pixelAt(799, 599)}), std::vector<uint32_t>(2, pixel));
    }
}

TEST(Canvas, TheContextHoldsTheBackBufferBusyUntilEndDrawAndAPenOrFontChosenAgainReleasesTheOneSelected) {
    TestApplication test(16);
    Application& app = test.app();
    ASSERT_TRUE(app.beginDraw());
    EXPECT_FALSE(app.fillRect(0, 0, 10, 10, 0xFFFFFF));
    EXPECT_FALSE(app.beginDraw());
    app.setPen(1, 0xFFFFFF);
    platform::Pen* const contextPen = app.previousPen;
    app.setFont("Arial", 16, 0xFFFFFF);
    platform::Font* const contextFont = app.previousFont;
    app.setPen(3, 0xFF0000);
    app.setFont("Arial", 20, 0x000000);
    EXPECT_EQ(std::pair(app.previousPen, app.previousFont), std::pair(contextPen, contextFont));
    app.releasePen();
    app.releaseFont();
    EXPECT_TRUE(app.pen == nullptr && app.font == nullptr);
    EXPECT_TRUE(app.endDraw());
    EXPECT_TRUE(app.fillRect(0, 0, 10, 10, 0xFFFFFF));
    app.backBuffer->setLost(true);
    EXPECT_FALSE(app.beginDraw());
    // Without a context the drawing calls do nothing and report no failure.
    EXPECT_TRUE(app.setPen(1, 0xFFFFFF) && app.drawLine(0, 0, 10, 10) && app.releasePen());
    EXPECT_TRUE(app.drawText(0, 0, 100, 100, 0, "x"));
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndWidePensCoverTheirWidth) {
    TestApplication test(16);
    Application& app = test.app();
    ASSERT_TRUE(app.beginDraw());
    app.setPen(1, 0xFF0000);
    app.drawLine(10, 10, 20, 10);
    app.drawLine(30, 40, 30, 30);
    app.drawLine(50, 50, 50, 50);
    app.setPen(2, 0x00FF00);
    app.drawLine(100, 100, 110, 100);
    app.releasePen();
    app.endDraw();
    const auto& s = test.backBuffer();
    EXPECT_EQ(inked(s, 0, {0, 0, 25, 25}), (platform::Rect{10, 10, 20, 11}));
    EXPECT_EQ(inked(s, 0, {25, 25, 35, 45}), (platform::Rect{30, 31, 31, 41}));
    EXPECT_EQ(s.pixelAt(50, 50), 0u);
    EXPECT_EQ(inked(s, 0, {90, 90, 120, 110}).height(), 2);
    EXPECT_EQ(std::pair(s.pixelAt(15, 10), s.pixelAt(105, 100)), std::pair(0xF800u, 0x07E0u));
}

TEST(Canvas, TextIsPlacedSmoothAndClippedAndNumbersAreUnsignedDecimalMeasuredAsDrawn) {
    TestApplication test(32);
    Application& app = test.app();
    app.fillRect(0, 0, 800, 600, 0x000000);
    const uint32_t black = 0xFF000000u;
    const platform::Rect box{100, 100, 400, 140};
    // Nothing, all ten digits, past the terminator, and while a drawing is open.
    int widths[4] = {-1, 0, 0, 0};
    int height = -1;
    EXPECT_TRUE(app.measureText("4294967295", 0, "Arial", 16, widths[0], height));
    EXPECT_EQ(height, 16);
    app.measureText("4294967295", 10, "Arial", 16, widths[1], height);
    app.measureText("4294967295", 500, "Arial", 16, widths[2], height);
    ASSERT_TRUE(app.beginDraw());
    app.setFont("Arial", 16, 0xFFFFFF);
    for (int alignment = 0; alignment < 3; ++alignment)
        app.drawText(box.left, box.top + 100 * alignment, box.right, box.bottom + 100 * alignment, alignment, "Hi");
    // Too wide for its rectangle, right-aligned: it loses its start and nothing leaks.
    app.drawText(600, 50, 640, 58, 2, "A long name that does not fit");
    app.drawNumber(0, 500, 400, 520, 0, 0xFFFFFFFFu);
    app.drawText(0, 550, 400, 570, 0, "4294967295");
    app.measureText("4294967295", 10, "Arial", 16, widths[3], height);
    app.setFont("Arial", 40, 0xFF9900);
    app.drawText(0, 400, 800, 500, 0, "Quadrimo");
    app.releaseFont();
    app.endDraw();
    const auto& s = test.backBuffer();
    const platform::Rect left = inked(s, black, {0, 100, 800, 200});
    const platform::Rect centre = inked(s, black, {0, 200, 800, 300});
    const platform::Rect right = inked(s, black, {0, 300, 800, 400});
    EXPECT_LE(left.left - box.left, 2);
    EXPECT_LE(box.right - right.right, 2);
    EXPECT_LE(std::abs((centre.left + centre.right) / 2 - (box.left + box.right) / 2), 2);
    EXPECT_EQ(left.width(), centre.width());
    // At the top of the rectangle: the cap height starts a few pixels down.
    EXPECT_LT(left.top - box.top, 6);
    EXPECT_LE(left.bottom, box.top + 16);
    const platform::Rect cut = inked(s, black, {0, 0, 800, 100});
    EXPECT_TRUE(cut.left >= 600 && cut.top >= 50 && cut.right <= 640 && cut.right >= 636 && cut.bottom <= 58)
        << cut.left << "," << cut.top << " to " << cut.right << "," << cut.bottom;

    EXPECT_EQ(std::vector<int>({widths[0], widths[2], widths[3]}), std::vector<int>({0, widths[1], widths[1]}));
    EXPECT_NEAR(inked(s, black, {0, 500, 800, 550}).width(), widths[1], 2);
    for (int y = 500; y < 520; ++y)
        for (int x = 0; x < 400; ++x) ASSERT_EQ(s.pixelAt(x, y), s.pixelAt(x, y + 50)) << x << "," << y;

    // Smooth and in the font's colour: blending toward it never adds blue, and keeps the top byte.
    int solid = 0;
    int partial = 0;
    for (int y = 400; y < 450; ++y) {
        for (int x = 0; x < 300; ++x) {
            const uint32_t p = s.pixelAt(x, y);
            solid += (p & 0xFFFFFF) == 0xFF9900;
            partial += (p & 0xFFFFFF) != 0xFF9900 && (p & 0xFFFFFF) != 0;
            EXPECT_EQ(p & 0xFF0000FF, 0xFF000000u);
        }
    }
    EXPECT_GT(solid, 100);
    EXPECT_GT(partial, 50);
}
