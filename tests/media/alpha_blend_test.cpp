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

}  // namespace

TEST(AlphaBlend, KnownValues) {
    uint8_t destination[] = {0x00, 0x00, 0x1F, 0x00}, source[] = {0xFF, 0xFF, 0x00, 0xF8};
    alpha_blend::blendPixels565(destination, source, 1, 64);
    alpha_blend::blendPixels565(destination + 2, source + 2, 1, 32);
    EXPECT_EQ(destination[0] | destination[1] << 8, 0x7BEF);
    EXPECT_EQ(destination[2] | destination[3] << 8, 0x3817);
    destination[0] = 100, source[0] = 200;
    alpha_blend::blendBytes(destination, source, 1, 100);
    EXPECT_EQ(destination[0], 178);
}

TEST(AlphaBlend, RowsOfEveryLengthMatchTheFormulasForEveryAlpha) {
    std::mt19937 random(12345);
    // Rows shorter than a vector step, exactly one, a block's 30 pixels with
    // a tail, and several steps; offset by one byte so no row starts aligned,
    // with a guard byte at each end that must stay as it was.
    for (const int pixels : {1, 5, 8, 13, 30, 61}) {
        std::vector<uint8_t> source(2 * pixels + 2), destination(2 * pixels + 2);
        std::vector<uint8_t> sourceBytes(3 * pixels + 2), destinationBytes(3 * pixels + 2);
        for (int alpha = 0; alpha <= 128; ++alpha) {
            for (int round = 0; round < 2; ++round) {
                for (auto* row : {&source, &destination, &sourceBytes, &destinationBytes})
                    for (uint8_t& byte : *row) byte = static_cast<uint8_t>(random());
                std::vector<uint8_t> expected = destination, expectedBytes = destinationBytes;
                for (int i = 1; i < 2 * pixels; i += 2) {
                    const uint16_t v =
                        reference565(source[i] | source[i + 1] << 8, expected[i] | expected[i + 1] << 8, alpha);
                    expected[i] = static_cast<uint8_t>(v), expected[i + 1] = static_cast<uint8_t>(v >> 8);
                }
                for (int i = 1; i <= 3 * pixels; ++i)
                    expectedBytes[i] =
                        static_cast<uint8_t>((sourceBytes[i] * alpha + expectedBytes[i] * (128 - alpha)) / 128);
                alpha_blend::blendPixels565(destination.data() + 1, source.data() + 1, pixels, alpha);
                alpha_blend::blendBytes(destinationBytes.data() + 1, sourceBytes.data() + 1, 3 * pixels, alpha);
                ASSERT_EQ(destination, expected) << pixels << " pixels, alpha " << alpha;
                ASSERT_EQ(destinationBytes, expectedBytes) << pixels << " pixels, alpha " << alpha;
            }
        }
    }
}
