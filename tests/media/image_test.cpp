// Images: loading into surfaces, frame layout, plain, keyed, clipped and
// blended drawing, and recovery from lost surfaces.
#include <gtest/gtest.h>

#include <string>

#include "media/image.h"
#include "platform/bitmap_loader.h"
#include "platform/display_device.h"
#include "platform/surface.h"
#include "support/bitmap_writer.h"
#include "support/test_application.h"

using platform::Rect;

namespace {

// Written on first use, once the test entry has chosen the private folder.
const std::string& picturePath() {
    static const std::string path = bmptest::saveTemporary(
        "image.bmp", bmptest::writeBitmap(bmptest::patternPicture(127, 64, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000,
                                                                            0x9F9F9F, 0x123456, 0xFEDCBA}),
                                          bmptest::Layout{}));
    return path;
}
const char* const missing = "/nonexistent-quadrimo-folder/absent.bmp";

// The picture stretched as an image of that size should hold it.
platform::DecodedBitmap expectedPicture(int width, int height) {
    platform::DecodedBitmap bitmap;
    platform::loadBitmapFile(picturePath().c_str(), width, height, bitmap);
    return bitmap;
}

}  // namespace

TEST(Image, FramesAreCutRowByRowFromThePictureAtItsDeclaredSize) {
    TestApplication application(32);
    platform::Surface& screen = application.backBuffer();
    Image blocks(picturePath().c_str(), 150, 240, 5, 8, 40);
    ASSERT_TRUE(blocks.createSurface());
    ASSERT_TRUE(blocks.blit(100, 100, 12));  // column 2, row 2: 30 x 30 from {60, 60}
    const platform::DecodedBitmap sheet = expectedPicture(150, 240);
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 31; ++x)
            ASSERT_EQ(screen.pixelAt(100 + x, 100 + y), x < 30 && y < 30 ? sheet.pixelAt(60 + x, 60 + y) : 0u) << x << "," << y;

    Image button(picturePath().c_str(), 104, 68, 1, 4, 4);
    ASSERT_TRUE(button.createSurface());
    ASSERT_TRUE(button.alphaBlit(0, 0, 2, 128));  // from {0, 34, 104, 51}
    const platform::DecodedBitmap stack = expectedPicture(104, 68);
    EXPECT_EQ(screen.pixelAt(0, 0), stack.pixelAt(0, 34));
    EXPECT_EQ(screen.pixelAt(103, 16), stack.pixelAt(103, 50));
    EXPECT_EQ(screen.pixelAt(0, 17), 0u);
}

TEST(Image, FailedLoadKeepsTheSurfaceAndRefusedCreationLeavesNone) {
    TestApplication application(16);
    Image image(missing, 20, 10, 1, 1, 1);
    EXPECT_FALSE(image.createSurface());
    ASSERT_NE(image.surface, nullptr);
    EXPECT_TRUE(image.createSurface());  // already has one: nothing to do
    EXPECT_TRUE(image.blit(0, 0, 0));
    EXPECT_TRUE(image.releaseSurface());
    EXPECT_EQ(image.surface, nullptr);

    application.app().directDraw->refuseSurfaceCreations(1);
    EXPECT_FALSE(image.createSurface());
    EXPECT_EQ(image.surface, nullptr);
    EXPECT_FALSE(image.blit(0, 0, 0));
    EXPECT_FALSE(image.blitClipped(0, 0, 0, 0, 800, 600, 0));
    EXPECT_FALSE(image.alphaBlit(0, 0, 0, 64));
    EXPECT_FALSE(image.alphaBlitClipped(0, 0, 0, 0, 800, 600, 0, 64));
}

TEST(Image, ColourKeyHidesBlackOnlyAndTheBlendIgnoresIt) {
    TestApplication application(16);
    platform::Surface& screen = application.backBuffer();
    Image keyed(missing, 3, 1, 1, 1, 1, 0, 0);
    keyed.createSurface();
    keyed.surface->setPixelAt(1, 0, 0x0001);
    keyed.surface->setPixelAt(2, 0, 0xFFFF);
    screen.fill(Rect{0, 0, 800, 600}, 0x1234);
    ASSERT_TRUE(keyed.blit(0, 0, 0));
    EXPECT_EQ(screen.pixelAt(0, 0), 0x1234u);
    EXPECT_EQ(screen.pixelAt(1, 0), 0x0001u);
    EXPECT_EQ(screen.pixelAt(2, 0), 0xFFFFu);

    screen.fill(Rect{0, 0, 800, 600}, 0xFFFF);
    ASSERT_TRUE(keyed.alphaBlit(0, 0, 0, 64));
    EXPECT_EQ(screen.pixelAt(0, 0), 0x7BEFu);  // black darkens what lies below
    EXPECT_EQ(screen.pixelAt(2, 0), 0xFFFFu);
}

TEST(Image, DrawingIsCutToTheClipAndTheDisplay) {
    TestApplication application(16);
    platform::Surface& screen = application.backBuffer();
    // Column x holds red value x, exact in 5-6-5.
    Image strip(missing, 30, 10, 1, 1, 1);
    strip.createSurface();
    strip.surface->fill(Rect{0, 0, 30, 10}, 0);
    for (int x = 0; x < 30; ++x) strip.surface->fill(Rect{x, 0, x + 1, 10}, static_cast<uint32_t>(x) << 11);

    ASSERT_TRUE(strip.alphaBlit(-10, 0, 0, 128));
    EXPECT_EQ(screen.pixelAt(0, 0), 10u << 11);
    EXPECT_EQ(screen.pixelAt(19, 9), 29u << 11);
    EXPECT_EQ(screen.pixelAt(20, 0), 0u);

    screen.fill(Rect{0, 0, 800, 600}, 0);
    ASSERT_TRUE(strip.alphaBlit(790, 595, 0, 64));
    EXPECT_EQ(screen.pixelAt(799, 599), (9u / 2) << 11);
    EXPECT_FALSE(screen.isLocked());
    ASSERT_TRUE(strip.blitClipped(790, 0, 0, 0, 800, 600, 0));
    EXPECT_EQ(screen.pixelAt(799, 0), 9u << 11);

    screen.fill(Rect{0, 0, 800, 600}, 0);
    EXPECT_TRUE(strip.blitClipped(100, 100, 0, 0, 50, 50, 0));
    EXPECT_TRUE(strip.alphaBlitClipped(100, 100, 0, 0, 50, 50, 0, 64));
    EXPECT_TRUE(strip.alphaBlit(800, 0, 0, 64));
    EXPECT_TRUE(strip.alphaBlit(0, -10, 0, 64));
    ASSERT_TRUE(strip.alphaBlitClipped(100, 100, 105, 102, 107, 200, 0, 128));
    EXPECT_EQ(screen.pixelAt(104, 102), 0u);
    EXPECT_EQ(screen.pixelAt(105, 101), 0u);
    EXPECT_EQ(screen.pixelAt(105, 102), 5u << 11);
    EXPECT_EQ(screen.pixelAt(106, 109), 6u << 11);
    EXPECT_EQ(screen.pixelAt(107, 102), 0u);
}

TEST(Image, LostSurfacesAreRestoredOnceAndTheDrawRetried) {
    TestApplication application(24);
    platform::Surface& screen = application.backBuffer();
    Image image(picturePath().c_str(), 127, 64, 1, 1, 1);
    ASSERT_TRUE(image.createSurface());
    const uint32_t corner = expectedPicture(127, 64).pixelAt(0, 0);

    // Restored memory is blank; the picture must be loaded back into it.
    image.surface->setLost(true);
    ASSERT_TRUE(image.blit(0, 0, 0));
    EXPECT_EQ(screen.pixelAt(0, 0), corner);
    image.surface->setLost(true);
    ASSERT_TRUE(image.alphaBlit(200, 0, 0, 128));
    EXPECT_EQ(screen.pixelAt(200, 0), corner);

    // A surface that cannot be restored is replaced by a new one...
    image.surface->setLost(true);
    image.surface->setRestoreFails(true);
    ASSERT_TRUE(image.alphaBlit(400, 0, 0, 128));
    EXPECT_EQ(screen.pixelAt(400, 0), corner);

    // ... unless the device refuses: then the draw fails and leaves no surface.
    for (bool blended : {false, true}) {
        ASSERT_TRUE(image.createSurface());
        image.surface->setLost(true);
        image.surface->setRestoreFails(true);
        application.app().directDraw->refuseSurfaceCreations(1);
        EXPECT_FALSE(blended ? image.alphaBlit(0, 0, 0, 64) : image.blit(0, 0, 0));
        EXPECT_EQ(image.surface, nullptr);
        EXPECT_FALSE(screen.isLocked());
    }

    // A lost back buffer is the frame's to restore: the draw fails, no lock stays.
    ASSERT_TRUE(image.createSurface());
    screen.setLost(true);
    EXPECT_FALSE(image.alphaBlit(0, 0, 0, 64));
    EXPECT_FALSE(image.blit(0, 0, 0));
    EXPECT_FALSE(image.surface->isLocked());
}
