// The blend's row routines against the exact integer formulas.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "media/alpha_blend.h"

namespace {

// The 5-6-5 blend written the long way, in 32-bit integers on the masked fields.
uint16_t reference565(uint32_t s, uint32_t d, uint32_t alpha) {
    const uint32_t k = 128 - alpha;
    const uint32_t red = (((d & 0xF800) * k + (s & 0xF800) * alpha) / 128) & 0xF800;
    const uint32_t green = (((s & 0x07E0) * alpha + (d & 0x07E0) * k) / 128) & 0x07E0;
    const uint32_t blue = ((s & 0x001F) * alpha + (d & 0x001F) * k) / 128;
    return static_cast<uint16_t>(red | green | blue);
}

uint16_t blendOne565(uint16_t s, uint16_t d, int alpha) {
    uint8_t source[2] = {static_cast<uint8_t>(s), static_cast<uint8_t>(s >> 8)};
    uint8_t destination[2] = {static_cast<uint8_t>(d), static_cast<uint8_t>(d >> 8)};
    alpha_blend::blendPixels565(destination, source, 1, alpha);
    return static_cast<uint16_t>(destination[0] | (destination[1] << 8));
}

}  // namespace

TEST(AlphaBlend, KnownValues) {
    EXPECT_EQ(blendOne565(0xFFFF, 0x0000, 64), 0x7BEF);
    EXPECT_EQ(blendOne565(0xF800, 0x001F, 32), 0x3817);
    uint8_t source = 200;
    uint8_t destination = 100;
    alpha_blend::blendBytes(&destination, &source, 1, 100);
    EXPECT_EQ(destination, 178);
}

TEST(AlphaBlend, RowsOfEveryLengthMatchTheFormulasForEveryAlpha) {
    std::mt19937 random(12345);
    // Rows shorter than a vector step, exactly one, a block's 30 pixels with
    // a tail, and several steps; offset by one byte so no row starts aligned,
    // with a guard byte at each end.
    for (const int pixels : {1, 5, 8, 13, 30, 61}) {
        std::vector<uint8_t> source(2 * pixels + 2), destination(2 * pixels + 2), original(2 * pixels + 2);
        std::vector<uint8_t> sourceBytes(3 * pixels + 2), destinationBytes(3 * pixels + 2),
            originalBytes(3 * pixels + 2);
        for (int alpha = 0; alpha <= 128; ++alpha) {
            for (int round = 0; round < 2; ++round) {
                for (auto* row : {&source, &original, &sourceBytes, &originalBytes})
                    for (uint8_t& byte : *row) byte = static_cast<uint8_t>(random());
                destination = original;
                destinationBytes = originalBytes;
                alpha_blend::blendPixels565(destination.data() + 1, source.data() + 1, pixels, alpha);
                alpha_blend::blendBytes(destinationBytes.data() + 1, sourceBytes.data() + 1, 3 * pixels, alpha);
                for (int i = 0; i < pixels; ++i) {
                    const uint8_t* s = source.data() + 1 + 2 * i;
                    const uint8_t* d = original.data() + 1 + 2 * i;
                    const uint8_t* out = destination.data() + 1 + 2 * i;
                    ASSERT_EQ(out[0] | (out[1] << 8), reference565(s[0] | (s[1] << 8), d[0] | (d[1] << 8), alpha))
                        << pixels << " pixels, alpha " << alpha << " pixel " << i;
                }
                for (int i = 1; i <= 3 * pixels; ++i)
                    ASSERT_EQ(destinationBytes[i], (sourceBytes[i] * alpha + originalBytes[i] * (128 - alpha)) / 128)
                        << pixels << " pixels, alpha " << alpha << " byte " << i;
                // Nothing outside the row is touched.
                ASSERT_EQ(destination.front(), original.front());
                ASSERT_EQ(destination.back(), original.back());
                ASSERT_EQ(destinationBytes.front(), originalBytes.front());
                ASSERT_EQ(destinationBytes.back(), originalBytes.back());
            }
        }
    }
    // The extremes: alpha 128 gives the source, alpha 0 keeps the destination.
    for (uint32_t s = 0; s < 0x10000; s += 97) {
        const uint16_t d = static_cast<uint16_t>(s * 31 + 7);
        EXPECT_EQ(blendOne565(static_cast<uint16_t>(s), d, 128), s);
        EXPECT_EQ(blendOne565(static_cast<uint16_t>(s), d, 0), d);
    }
}
