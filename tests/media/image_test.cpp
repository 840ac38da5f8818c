// Images: loading into surfaces, frame layout, plain, keyed, clipped and
// blended drawing, and recovery from lost surfaces.
#include <gtest/gtest.h>

#include <string>

#include "media/image.h"
#include "platform/display_device.h"
#include "platform/surface.h"
#include "support/test_application.h"
#include "support/test_bitmaps.h"

using platform::Rect;

namespace {

// Each pixel tells where it came from: red = x, green = y.
uint32_t coordinateColour(int x, int y) { return (static_cast<uint32_t>(x) << 16) | (static_cast<uint32_t>(y) << 8) | 0x40; }

// Column x as a pure red of 5-bit value x (x < 32), exact in 5-6-5.
uint32_t columnRed(int x, int) { return static_cast<uint32_t>(x) << 19; }

}  // namespace

TEST(Image, FramesAreCutRowByRowFromThePictureAtItsDeclaredSize) {
    TestApplication application(32);
    TemporaryFolder folder;
    const std::string sheet = folder.path("sheet.bmp");
    ASSERT_TRUE(writeBitmapFile(sheet, makePicture(150, 240, coordinateColour)));
    Image blocks(sheet.c_str(), 150, 240, 5, 8, 40);
    EXPECT_EQ(blocks.frameWidth, 30);
    EXPECT_EQ(blocks.frameHeight, 30);
    ASSERT_TRUE(blocks.createSurface());
    ASSERT_TRUE(blocks.blit(100, 100, 12));  // column 2, row 2
    platform::Surface& screen = application.backBuffer();
    EXPECT_EQ(screen.pixelAt(100, 100), coordinateColour(60, 60));
    EXPECT_EQ(screen.pixelAt(129, 129), coordinateColour(89, 89));
    EXPECT_EQ(screen.pixelAt(130, 100), 0u);

    // A stack of four states drawn from a file half the declared size.
    const std::string stack = folder.path("stack.bmp");
    ASSERT_TRUE(writeBitmapFile(stack, makePicture(52, 34, coordinateColour)));
    Image button(stack.c_str(), 104, 68, 1, 4, 4);
    ASSERT_TRUE(button.createSurface());
    ASSERT_TRUE(button.alphaBlit(0, 0, 2, 128));
    EXPECT_EQ(screen.pixelAt(0, 0), coordinateColour(0, 17));
    EXPECT_EQ(screen.pixelAt(103, 16), coordinateColour(51, 25));
    EXPECT_EQ(screen.pixelAt(0, 17), 0u);
}

TEST(Image, FailedLoadKeepsTheSurfaceAndRefusedCreationLeavesNone) {
    TestApplication application(16);
    TemporaryFolder folder;
    const std::string missing = folder.path("missing.bmp");
    Image image(missing.c_str(), 20, 10, 1, 1, 1);
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
    TemporaryFolder folder;
    const std::string path = folder.path("keyed.bmp");
    const uint32_t colours[] = {0x000000, 0x000008, 0xFFFFFF};
    ASSERT_TRUE(writeBitmapFile(path, makePicture(3, 1, [&](int x, int) { return colours[x]; })));
    Image keyed(path.c_str(), 3, 1, 1, 1, 1, 0, 0);
    ASSERT_TRUE(keyed.createSurface());
    platform::Surface& screen = application.backBuffer();
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
    TemporaryFolder folder;
    const std::string path = folder.path("strip.bmp");
    ASSERT_TRUE(writeBitmapFile(path, makePicture(30, 10, columnRed)));
    Image strip(path.c_str(), 30, 10, 1, 1, 1);
    ASSERT_TRUE(strip.createSurface());
    platform::Surface& screen = application.backBuffer();

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
    ASSERT_TRUE(strip.blitClipped(100, 100, 105, 102, 107, 200, 0));
    EXPECT_EQ(screen.pixelAt(104, 102), 0u);
    EXPECT_EQ(screen.pixelAt(105, 101), 0u);
    EXPECT_EQ(screen.pixelAt(105, 102), 5u << 11);
    EXPECT_EQ(screen.pixelAt(106, 109), 6u << 11);
    EXPECT_EQ(screen.pixelAt(107, 102), 0u);
}

TEST(Image, LostSurfacesAreRestoredOnceAndTheDrawRetried) {
    TestApplication application(24);
    TemporaryFolder folder;
    const std::string path = folder.path("picture.bmp");
    ASSERT_TRUE(writeBitmapFile(path, makePicture(8, 8, coordinateColour)));
    Image image(path.c_str(), 8, 8, 1, 1, 1);
    ASSERT_TRUE(image.createSurface());
    platform::Surface& screen = application.backBuffer();

    // Restored memory is blank; the picture must be loaded back into it.
    image.surface->setLost(true);
    ASSERT_TRUE(image.blit(0, 0, 0));
    EXPECT_EQ(screen.pixelAt(7, 7), coordinateColour(7, 7));
    image.surface->setLost(true);
    ASSERT_TRUE(image.alphaBlit(10, 0, 0, 128));
    EXPECT_EQ(screen.pixelAt(17, 7), coordinateColour(7, 7));

    // A surface that cannot be restored is replaced by a new one.
    platform::Surface* lost = image.surface;
    lost->setLost(true);
    lost->setRestoreFails(true);
    ASSERT_TRUE(image.alphaBlit(20, 0, 0, 128));
    EXPECT_NE(image.surface, nullptr);
    EXPECT_EQ(screen.pixelAt(27, 7), coordinateColour(7, 7));

    // ... unless the device refuses: then the draw fails and leaves no surface.
    image.surface->setLost(true);
    image.surface->setRestoreFails(true);
    application.app().directDraw->refuseSurfaceCreations(1);
    EXPECT_FALSE(image.blit(0, 0, 0));
    EXPECT_EQ(image.surface, nullptr);
    EXPECT_FALSE(screen.isLocked());

    // A lost back buffer is the frame's to restore: the draw fails, no lock stays.
    ASSERT_TRUE(image.createSurface());
    screen.setLost(true);
    EXPECT_FALSE(image.alphaBlit(0, 0, 0, 64));
    EXPECT_FALSE(image.blit(0, 0, 0));
    EXPECT_FALSE(image.surface->isLocked());
    screen.setLost(false);
    image.surface->setLost(true);
    image.surface->setRestoreFails(true);
    application.app().directDraw->refuseSurfaceCreations(1);
    EXPECT_FALSE(image.alphaBlit(0, 0, 0, 64));
    EXPECT_FALSE(screen.isLocked());
}
