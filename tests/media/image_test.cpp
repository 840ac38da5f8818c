// Images: loading into surfaces, frame layout, plain, keyed, clipped and
// blended drawing, and recovery from lost surfaces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/application.h"
#include "media/image.h"
#include "platform/files/bitmap_loader.h"
#include "platform/drawing/display_device.h"
#include "platform/drawing/surface.h"
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
}

// The key itself is the surface's to apply; the image must set it, and its blend must not.
TEST(Image, KeyedImagesHideBlackButTheBlendShowsIt) {
    TestApplication application(16);
    platform::Surface& screen = application.backBuffer();
    Image keyed(missing, 1, 1, 1, 1, 1, 0, 0);
    keyed.createSurface();
    screen.fill(Rect{0, 0, 800, 600}, 0xFFFF);
    ASSERT_TRUE(keyed.blit(0, 0, 0));
    EXPECT_EQ(screen.pixelAt(0, 0), 0xFFFFu);
    ASSERT_TRUE(keyed.alphaBlit(0, 0, 0, 64));
    EXPECT_EQ(screen.pixelAt(0, 0), 0x7BEFu) << "black darkens what lies below";
}

TEST(Image, DrawingIsCutToTheClipAndTheDisplay) {
    TestApplication application(16);
    platform::Surface& screen = application.backBuffer();
    // Column x holds red value x, exact in 5-6-5.
    Image strip(missing, 30, 10, 1, 1, 1);
    strip.createSurface();
    for (int x = 0; x < 30; ++x) strip.surface->fill(Rect{x, 0, x + 1, 10}, static_cast<uint32_t>(x) << 11);
    // The red value of a pixel without green or blue, or -1.
    const auto red = [&screen](int x, int y) {
        const uint32_t p = screen.pixelAt(x, y);
        return (p & 0x7FF) == 0 ? static_cast<int>(p >> 11) : -1;
    };

    ASSERT_TRUE(strip.alphaBlit(-10, 0, 0, 128));
    EXPECT_EQ(std::vector<int>({red(0, 0), red(19, 9), red(20, 0)}), std::vector<int>({10, 29, 0}));
    screen.fill(Rect{0, 0, 800, 600}, 0);
    ASSERT_TRUE(strip.alphaBlit(790, 595, 0, 64));
    EXPECT_EQ(red(799, 599), 9 / 2);
    EXPECT_FALSE(screen.isLocked());
    ASSERT_TRUE(strip.blitClipped(790, 0, 0, 0, 800, 600, 0));
    EXPECT_EQ(red(799, 0), 9);

    // Wholly outside the clip or the display: nothing to draw is no failure.
    screen.fill(Rect{0, 0, 800, 600}, 0);
    EXPECT_TRUE(strip.blitClipped(100, 100, 0, 0, 50, 50, 0));
    EXPECT_TRUE(strip.alphaBlit(800, 0, 0, 64) && strip.alphaBlit(0, -10, 0, 64));
    // The board cuts blocks falling in from above it.
    ASSERT_TRUE(strip.blitClipped(100, 100, 105, 102, 107, 200, 0));
    EXPECT_EQ(std::vector<int>({red(104, 102), red(105, 101), red(105, 102), red(106, 109), red(107, 102)}),
              std::vector<int>({0, 0, 5, 6, 0}));

    // The back buffer's own clip cuts blends, lines and text as it cuts copies.
    screen.fill(Rect{0, 0, 800, 600}, 0);
    screen.setClip(Rect{0, 0, 105, 600});
    ASSERT_TRUE(strip.alphaBlit(100, 200, 0, 64));
    Application& app = application.app();
    ASSERT_TRUE(app.beginDraw());
    app.setPen(1, 0xFFFFFF);
    app.drawLine(100, 300, 110, 300);
    app.releasePen();
    app.setFont("Arial", 16, 0xFFFFFF);
    app.drawText(100, 400, 200, 420, 0, "MMMM");
    app.releaseFont();
    app.endDraw();
    EXPECT_EQ(std::vector<int>({red(104, 200), red(105, 200)}), std::vector<int>({2, 0}));
    EXPECT_EQ(std::vector<uint32_t>({screen.pixelAt(104, 300), screen.pixelAt(105, 300)}),
              std::vector<uint32_t>({0xFFFF, 0}));
    for (int y = 400; y < 420; ++y)
        for (int x = 105; x < 200; ++x) ASSERT_EQ(screen.pixelAt(x, y), 0u) << "text at " << x << ", " << y;
}

TEST(Image, LostSurfacesAreRestoredOnceAndTheDrawRetried) {
    TestApplication application(24);
    platform::Surface& screen = application.backBuffer();
    Image image(picturePath().c_str(), 127, 64, 1, 1, 1);
    ASSERT_TRUE(image.createSurface());
    platform::Surface* const first = image.surface;
    ASSERT_TRUE(image.createSurface());
    EXPECT_EQ(image.surface, first) << "a second creation keeps the surface";
    const uint32_t corner = expectedPicture(127, 64).pixelAt(0, 0);

    // Restored memory is blank, so the picture must be loaded back into it; a
    // surface that cannot be restored is replaced by a new one.
    for (const auto& [blended, restoreFails] :
         {std::pair(false, false), std::pair(true, false), std::pair(true, true), std::pair(false, true)}) {
        image.surface->setLost(true);
        image.surface->setRestoreFails(restoreFails);
        screen.fill(Rect{0, 0, 800, 600}, 0);
        ASSERT_TRUE(blended ? image.alphaBlit(0, 0, 0, 128) : image.blit(0, 0, 0));
        EXPECT_EQ(screen.pixelAt(0, 0), corner) << blended << restoreFails;
    }

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
    EXPECT_FALSE(image.alphaBlit(0, 0, 0, 64) || image.blit(0, 0, 0));
    EXPECT_FALSE(image.surface->isLocked());
}

// In another language the translated picture is drawn; where it is missing
// or cannot be read, the English one, never nothing.
TEST(Image, TranslatedPicturesComeFirstAndFallBackToTheEnglishOnes) {
    TestApplication application(32);
    const std::filesystem::path folder = std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "translated";
    std::filesystem::create_directories(folder / "locale/de");
    const auto save = [&](const std::string& name, const bmptest::Bytes& bytes) {
        std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                             static_cast<std::streamsize>(bytes.size()));
    };
    const auto plain = [](uint32_t colour) {
        return bmptest::writeBitmap(bmptest::Picture{4, 2, std::vector<uint32_t>(8, colour)}, bmptest::Layout{});
    };
    save("both.bmp", plain(0x112233));
    save("locale/de/both.bmp", plain(0x445566));
    save("english.bmp", plain(0x778899));
    save("broken.bmp", plain(0xAABBCC));
    save("locale/de/broken.bmp", {'B', 'M', 0, 0});
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    Language::use("de", (folder / "locale").string());
    const auto shown = [](const char* name) {
        Image image(name, 4, 2, 1, 1, 1);
        image.createSurface();
        return image.surface != nullptr ? image.surface->pixelAt(0, 0) : 0u;
    };
    EXPECT_EQ(shown("both.bmp"), 0x445566u);
    EXPECT_EQ(shown("english.bmp"), 0x778899u);
    EXPECT_EQ(shown("broken.bmp"), 0xAABBCCu);
    Language::use("", "");
    EXPECT_EQ(shown("both.bmp"), 0x112233u);
    std::filesystem::current_path(previous);
}
