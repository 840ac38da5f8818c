// Memory surfaces: keyed copies, clipping, locks and the lost state; fills
// at each depth are checked through the canvas that uses them.
#include <gtest/gtest.h>

#include "platform/surface.h"

using platform::Rect;
using platform::Surface;

TEST(Surface, KeyedCopySkipsKeyPixelsAndIsCutByClip) {
    Surface source(4, 1, 16);
    const uint32_t row[] = {0x0000, 0x0001, 0xFFFF, 0x0000};
    for (int x = 0; x < 4; ++x) source.setPixelAt(x, 0, row[x]);
    source.setColourKey(0, 0);
    Surface target(10, 2, 16);
    target.fill(Rect{0, 0, 10, 2}, 0x1234);
    target.setClip(Rect{0, 0, 4, 2});
    ASSERT_TRUE(target.blit(1, 1, source, Rect{0, 0, 4, 1}, true));
    EXPECT_EQ(target.pixelAt(1, 1), 0x1234u);  // key: kept
    EXPECT_EQ(target.pixelAt(2, 1), 0x0001u);  // value 1 is not the key
    EXPECT_EQ(target.pixelAt(3, 1), 0xFFFFu);
    EXPECT_EQ(target.pixelAt(4, 1), 0x1234u);  // outside the clip
    ASSERT_TRUE(target.blit(-2, 0, source, Rect{0, 0, 4, 1}, false));
    EXPECT_EQ(target.pixelAt(0, 0), 0xFFFFu);  // source column 2 lands on column 0
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
