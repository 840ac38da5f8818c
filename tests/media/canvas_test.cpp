// Fills, lines and text on the back buffer at each depth.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "app/application.h"
#include "platform/rect.h"
#include "platform/surface.h"
#include "support/test_application.h"

namespace {

// The bounding box of pixels that differ from background inside area.
platform::Rect inked(const platform::Surface& s, uint32_t background, const platform::Rect& area) {
    platform::Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (s.pixelAt(x, y) == background) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

const platform::Rect wholeScreen{0, 0, 800, 600};

}  // namespace

TEST(Canvas, FillConvertsColoursPerDepthAndIsClipped) {
    // At 16 bits each channel is truncated; at 32 the top byte is set.
    const std::tuple<int, uint32_t, uint32_t> cases[] = {
        {16, 0xFF9900, 0xFCA0}, {16, 0x000022, 0x0004},     {16, 0xFFFFFF, 0xFFFF}, {16, 0x808080, 0x7BEF},
        {16, 0x000000, 0x0000}, {32, 0x123456, 0xFF123456}, {24, 0xABCDEF, 0xABCDEF}};
    for (const auto& [bits, colour, pixel] : cases) {
        TestApplication test(bits);
        const auto& s = test.backBuffer();
        ASSERT_TRUE(test.app().fillRect(5, 5, 3, 2, colour));
        EXPECT_EQ(s.pixelAt(5, 5), pixel) << std::hex << colour;
        EXPECT_EQ(s.pixelAt(7, 6), pixel);
        EXPECT_EQ(s.pixelAt(8, 5) | s.pixelAt(5, 7), 0u);
        ASSERT_TRUE(test.app().fillRect(-10, -10, 820, 620, colour));
        EXPECT_EQ(s.pixelAt(0, 0), pixel);
        EXPECT_EQ(s.pixelAt(799, 599), pixel);
        test.app().backBuffer->setLost(true);
        EXPECT_FALSE(test.app().fillRect(0, 0, 1, 1, 0));
    }
}

TEST(Canvas, TheContextHoldsTheBackBufferBusyUntilEndDrawAndAPenOrFontChosenAgainReleasesTheOneSelected) {
    TestApplication test(16);
    Application& app = test.app();
    ASSERT_TRUE(app.beginDraw());
    EXPECT_FALSE(app.fillRect(0, 0, 10, 10, 0xFFFFFF));
    EXPECT_FALSE(app.beginDraw());
    app.setPen(1, 0xFFFFFF);
    platform::Pen* const original = app.previousPen;
    app.setPen(3, 0xFF0000);
    EXPECT_EQ(app.previousPen, original);
    app.releasePen();
    app.setFont("Arial", 16, 0xFFFFFF);
    platform::Font* const originalFont = app.previousFont;
    app.setFont("Arial", 20, 0x000000);
    EXPECT_EQ(app.previousFont, originalFont);
    app.releaseFont();
    EXPECT_EQ(app.pen, nullptr);
    EXPECT_EQ(app.font, nullptr);
    EXPECT_TRUE(app.endDraw());
    EXPECT_TRUE(app.fillRect(0, 0, 10, 10, 0xFFFFFF));
    app.backBuffer->setLost(true);
    EXPECT_FALSE(app.beginDraw());
    // Without a context the drawing calls do nothing and report no failure.
    EXPECT_TRUE(app.setPen(1, 0xFFFFFF));
    EXPECT_TRUE(app.drawLine(0, 0, 10, 10));
    EXPECT_TRUE(app.releasePen());
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
    app.releasePen();
    app.setPen(2, 0x00FF00);
    app.drawLine(100, 100, 110, 100);
    app.releasePen();
    app.endDraw();
    const auto& s = test.backBuffer();
    EXPECT_EQ(inked(s, 0, {0, 0, 25, 25}), (platform::Rect{10, 10, 20, 11}));
    for (int x = 10; x < 20; ++x) EXPECT_EQ(s.pixelAt(x, 10), 0xF800u) << x;
    EXPECT_EQ(inked(s, 0, {25, 25, 35, 45}), (platform::Rect{30, 31, 31, 41}));
    EXPECT_EQ(s.pixelAt(50, 50), 0u);
    EXPECT_EQ(inked(s, 0, {90, 90, 120, 110}).height(), 2);
    EXPECT_EQ(s.pixelAt(105, 100), 0x07E0u);
}

TEST(Canvas, TextIsPlacedLeftCentredOrRightAtTheTopAndClippedToItsRectangle) {
    TestApplication test(32);
    Application& app = test.app();
    app.fillRect(0, 0, 800, 600, 0x000000);
    const uint32_t black = 0xFF000000u;
    const platform::Rect box{100, 100, 400, 140};
    ASSERT_TRUE(app.beginDraw());
    app.setFont("Arial", 16, 0xFFFFFF);
    app.drawText(box.left, box.top, box.right, box.bottom, 0, "Hi");
    app.drawText(box.left, 200, box.right, 240, 1, "Hi");
    app.drawText(box.left, 300, box.right, 340, 2, "Hi");
    app.releaseFont();
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

    // Text is smooth and in the font's colour: blending toward it never adds
    // blue, and keeps the top byte.
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

TEST(Canvas, RightAlignedTextTooWideForItsRectangleLosesItsStartAndNothingLeaks) {
    TestApplication test(16);
    Application& app = test.app();
    ASSERT_TRUE(app.beginDraw());
    app.setFont("Arial", 16, 0xFFFFFF);
    app.drawText(200, 50, 240, 58, 2, "A long name that does not fit");
    app.releaseFont();
    app.endDraw();
    const platform::Rect ink = inked(test.backBuffer(), 0, wholeScreen);
    EXPECT_GE(ink.left, 200);
    EXPECT_GE(ink.top, 50);
    EXPECT_LE(ink.right, 240);
    EXPECT_GE(ink.right, 236);
    EXPECT_LE(ink.bottom, 58);
}

TEST(Canvas, NumbersAreUnsignedDecimalAndMeasuringMatchesDrawing) {
    TestApplication test(16);
    Application& app = test.app();
    const platform::Surface& s = test.backBuffer();
    // Nothing, all ten digits, past the terminator, and while a drawing is open.
    int widths[4] = {-1, 0, 0, 0};
    int height = -1;
    EXPECT_TRUE(app.measureText("4294967295", 0, "Arial", 16, widths[0], height));
    EXPECT_EQ(height, 16);
    app.measureText("4294967295", 10, "Arial", 16, widths[1], height);
    app.measureText("4294967295", 500, "Arial", 16, widths[2], height);
    ASSERT_TRUE(app.beginDraw());
    app.setFont("Arial", 16, 0xFFFFFF);
    app.drawNumber(0, 0, 400, 20, 0, 0xFFFFFFFFu);
    app.drawText(0, 100, 400, 120, 0, "4294967295");
    app.measureText("4294967295", 10, "Arial", 16, widths[3], height);
    app.releaseFont();
    app.endDraw();
    EXPECT_EQ(widths[0], 0);
    EXPECT_EQ(widths[2], widths[1]);
    EXPECT_EQ(widths[3], widths[1]);
    EXPECT_NEAR(inked(s, 0, {0, 0, 800, 50}).width(), widths[1], 2);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 400; ++x) ASSERT_EQ(s.pixelAt(x, y), s.pixelAt(x, y + 100)) << x << "," << y;
}
