// Memory surfaces: keyed copies, clipping, locks and the lost state; fills
// at each depth are checked through the canvas that uses them.
#include <gtest/gtest.h>

#include "platform/drawing/surface.h"

using platform::Rect;
using platform::Surface;

TEST(Surface, KeyedCopySkipsKeyPixelsAndIsCutByClip) {
    for (const int bits : {16, 24, 32}) {
        SCOPED_TRACE(bits);
        Surface source(5, 1, bits);
        const uint32_t row[] = {0x0002, 0x0001, 0xFFFF, 0x0000, 0x0003};
        for (int x = 0; x < 5; ++x) source.setPixelAt(x, 0, row[x]);
        source.setColourKey(1, 2);
        Surface target(10, 2, bits);
        target.fill(Rect{0, 0, 10, 2}, 0x1234);
        target.setClip(Rect{0, 0, 5, 2});
        ASSERT_TRUE(target.blit(1, 1, source, Rect{0, 0, 5, 1}, true));
        EXPECT_EQ(target.pixelAt(1, 1), 0x1234u);  // the key's range: kept
        EXPECT_EQ(target.pixelAt(2, 1), 0x1234u);
        EXPECT_EQ(target.pixelAt(3, 1), 0xFFFFu);  // outside the range
        EXPECT_EQ(target.pixelAt(4, 1), 0x0000u);
        EXPECT_EQ(target.pixelAt(5, 1), 0x1234u);  // outside the clip
        ASSERT_TRUE(target.blit(-2, 0, source, Rect{0, 0, 4, 1}, false));
        EXPECT_EQ(target.pixelAt(0, 0), 0xFFFFu);  // source column 2 lands on column 0
    }
}

TEST(Surface, LockedOrLostSurfacesRefuseDrawingUntilUnlockedOrRestored) {
    Surface s(8, 4, 16);
    uint8_t* address = nullptr;
    int pitch = 0;
    ASSERT_TRUE(s.lock(Rect{2, 1, 4, 3}, address, pitch));
    EXPECT_EQ(pitch, s.pitch());
    EXPECT_EQ(address, s.pixels() + pitch + 4);
    EXPECT_FALSE(s.fill(Rect{0, 0, 1, 1}, 1));
    EXPECT_FALSE(s.lock(Rect{0, 0, 1, 1}, address, pitch));
    EXPECT_TRUE(s.unlock());
    EXPECT_FALSE(s.unlock());
    EXPECT_FALSE(s.lock(Rect{0, 0, 9, 1}, address, pitch));

    Surface other(2, 2, 16);
    s.fill(Rect{0, 0, 8, 4}, 7);
    s.setLost(true);
    EXPECT_FALSE(s.fill(Rect{0, 0, 1, 1}, 1));
    EXPECT_FALSE(s.lock(Rect{0, 0, 1, 1}, address, pitch));
    EXPECT_FALSE(other.blit(0, 0, s, Rect{0, 0, 2, 2}, false));
    ASSERT_TRUE(s.restore());
    EXPECT_EQ(s.pixelAt(0, 0), 0u);
    s.setLost(true);
    s.setRestoreFails(true);
    EXPECT_FALSE(s.restore());
}

TEST(Surface, PlainCopiesOfEveryRowLengthMoveExactlyTheirPixelsAlsoWithinOneSurface) {
    // Rows shorter than the copy's 16-byte step, between steps, a block's
    // width, and longer than the short-row path.
    for (const int bits : {16, 24, 32}) {
        for (const int width : {1, 7, 8, 9, 30, 85, 300}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, " << width << " pixels");
            Surface source(width, 3, bits), target(width + 4, 5, bits);
            const uint32_t mask = bits == 16 ? 0xFFFFu : bits == 24 ? 0xFFFFFFu : 0xFFFFFFFFu;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x) source.setPixelAt(x, y, (x * 2654435761u + y * 97u) & mask);
            target.fill(Rect{0, 0, width + 4, 5}, 0x5A5A & mask);
            ASSERT_TRUE(target.blit(2, 1, source, Rect{0, 0, width, 3}, false));
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < width + 4; ++x) {
                    const bool inside = x >= 2 && x < width + 2 && y >= 1 && y < 4;
                    ASSERT_EQ(target.pixelAt(x, y), inside ? source.pixelAt(x - 2, y - 1) : (0x5A5A & mask))
                        << x << ", " << y;
                }
            // Onto itself, one pixel to the right: overlapping rows.
            ASSERT_TRUE(source.blit(1, 0, source, Rect{0, 0, width - 1, 3}, false));
            for (int x = 1; x < width; ++x) ASSERT_EQ(source.pixelAt(x, 2), ((x - 1) * 2654435761u + 2 * 97u) & mask);
        }
    }
}
