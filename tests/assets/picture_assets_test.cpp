// The generated pictures: names, declared sizes, 24-bit format, the colour-key
// rules of the keyed sheets, and blocks that stay apart without colour vision.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/bitmap_decoder.h"

namespace {

std::vector<uint8_t> readFile(const std::string& name) {
    std::ifstream file(std::string(QUADRIMO_RUN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t little(const std::vector<uint8_t>& bytes, size_t offset, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[offset + size_t(i)];
    return value;
}

platform::DecodedBitmap load(const std::string& name) {
    const std::vector<uint8_t> bytes = readFile(name);
    platform::DecodedBitmap bitmap;
    EXPECT_TRUE(platform::decodeBitmap(bytes.data(), bytes.size(), bitmap)) << name;
    return bitmap;
}

// The 16-bit value the display stores for a 0xRRGGBB pixel.
uint16_t to565(uint32_t rgb) {
    return uint16_t(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F));
}

struct Expected {
    const char* name;
    int width;
    int height;
};

const Expected pictures[] = {
    {"company.bmp", 280, 90},     {"title.bmp", 800, 600},  {"start.bmp", 83, 76},      {"highscores.bmp", 102, 56},
    {"options.bmp", 73, 56},      {"help.bmp", 44, 56},     {"exit.bmp", 44, 56},       {"field.bmp", 800, 600},
    {"blocks.bmp", 150, 240},     {"digits.bmp", 100, 12},  {"digits2.bmp", 160, 20},   {"sound.bmp", 104, 68},
    {"exit2.bmp", 54, 32},        {"logo.bmp", 148, 106},   {"gameover.bmp", 81, 12},   {"ok.bmp", 22, 24},
    {"congratulations.bmp", 263, 64}, {"tips.bmp", 342, 30}, {"resetscores.bmp", 96, 24}, {"name.bmp", 39, 11},
    {"score.bmp", 42, 12},        {"icon.bmp", 64, 64},
};

}  // namespace

TEST(PictureAssets, EveryPictureIsAn24BitBmpOfItsDeclaredSize) {
    for (const Expected& expected : pictures) {
        const std::vector<uint8_t> bytes = readFile(expected.name);
        ASSERT_GE(bytes.size(), 54u) << expected.name;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(little(bytes, 28, 2), 24u) << expected.name;
        EXPECT_EQ(little(bytes, 30, 4), 0u) << expected.name << " is compressed";
        const platform::DecodedBitmap bitmap = load(expected.name);
        EXPECT_EQ(bitmap.width, expected.width) << expected.name;
        EXPECT_EQ(bitmap.height, expected.height) << expected.name;
        EXPECT_EQ(little(bytes, 2, 4), bytes.size()) << expected.name << " size field";
    }
}

// Where black is the colour key, a pixel is either exactly black (meant to be
// transparent) or it must not become 0 in 5-6-5, or it would vanish.
TEST(PictureAssets, KeyedSheetsAreExactlyBlackOrVisibleIn565) {
    for (const char* name : {"blocks.bmp", "digits2.bmp", "sound.bmp"}) {
        const platform::DecodedBitmap bitmap = load(name);
        int nearBlack = 0;
        for (uint32_t pixel : bitmap.pixels)
            if (pixel != 0 && to565(pixel) == 0) ++nearBlack;
        EXPECT_EQ(nearBlack, 0) << name;
    }
}

TEST(PictureAssets, BlocksAreSolidInsideAndTransparentAtTheCorners) {
    const platform::DecodedBitmap sheet = load("blocks.bmp");
    ASSERT_EQ(sheet.width, 150);
    for (int row = 0; row < 8; ++row) {
        const int top = row * 30;
        // The resting block: every pixel of its inner 22 x 22 is seen.
        for (int y = top + 4; y < top + 26; ++y)
            for (int x = 4; x < 26; ++x) ASSERT_NE(to565(sheet.pixelAt(x, y)), 0) << "row " << row << " at " << x << "," << y;
        for (int column = 0; column < 5; ++column) {
            const int left = column * 30;
            int visible = 0;
            for (int y = top; y < top + 30; ++y)
                for (int x = left; x < left + 30; ++x) visible += sheet.pixelAt(x, y) != 0;
            EXPECT_GT(visible, 20) << "row " << row << " step " << column << " shows nothing";
            EXPECT_EQ(sheet.pixelAt(left, top), 0u) << "row " << row << " step " << column;
            EXPECT_EQ(sheet.pixelAt(left + 29, top + 29), 0u) << "row " << row << " step " << column;
        }
    }
}

TEST(PictureAssets, LargeDigitsShowAGlyphOnATransparentGround) {
    const platform::DecodedBitmap digits = load("digits2.bmp");
    for (int d = 0; d < 10; ++d) {
        int visible = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = d * 16; x < d * 16 + 16; ++x) visible += to565(digits.pixelAt(x, y)) != 0;
        EXPECT_GT(visible, 60) << "digit " << d;
        EXPECT_LT(visible, 16 * 20) << "digit " << d << " has no transparent ground";
    }
}

// Colour-blind players tell blocks apart by colour and symbol together: the
// resting blocks must differ clearly in greyscale (symbol and lightness) and
// in colour as a deuteranope sees it.
TEST(PictureAssets, RestingBlocksStayApartInGreyAndForDeuteranopes) {
    const platform::DecodedBitmap sheet = load("blocks.bmp");
    std::array<std::vector<float>, 8> grey;
    std::array<std::array<float, 3>, 8> seen{};
    for (int row = 0; row < 8; ++row)
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const uint32_t p = sheet.pixelAt(x, row * 30 + y);
                const float r = ((p >> 16) & 0xFF) / 255.0f, g = ((p >> 8) & 0xFF) / 255.0f, b = (p & 0xFF) / 255.0f;
                grey[size_t(row)].push_back(0.299f * r + 0.587f * g + 0.114f * b);
                // Deuteranopia (Machado, Oliveira and Fernandes, severity 1), on plain values.
                seen[size_t(row)][0] += (0.367f * r + 0.861f * g - 0.228f * b) / 900;
                seen[size_t(row)][1] += (0.280f * r + 0.673f * g + 0.047f * b) / 900;
                seen[size_t(row)][2] += (-0.012f * r + 0.043f * g + 0.969f * b) / 900;
            }
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            float greyDifference = 0;
            for (size_t i = 0; i < grey[0].size(); ++i) greyDifference += std::fabs(grey[size_t(a)][i] - grey[size_t(b)][i]);
            EXPECT_GT(greyDifference / float(grey[0].size()), 0.06f) << "rows " << a << " and " << b << " in grey";
            const float colourDistance = std::hypot(seen[size_t(a)][0] - seen[size_t(b)][0],
                                                    seen[size_t(a)][1] - seen[size_t(b)][1],
                                                    seen[size_t(a)][2] - seen[size_t(b)][2]);
            EXPECT_GT(colourDistance, 0.04f) << "rows " << a << " and " << b << " for a deuteranope";
        }
}

TEST(PictureAssets, ButtonsBrightenWhenHighlighted) {
    struct Strip {
        const char* name;
        int frames;
    };
    for (const Strip& strip : {Strip{"start.bmp", 2}, Strip{"highscores.bmp", 2}, Strip{"options.bmp", 2},
                               Strip{"help.bmp", 2}, Strip{"exit.bmp", 2}, Strip{"ok.bmp", 2},
                               Strip{"resetscores.bmp", 2}, Strip{"exit2.bmp", 2}, Strip{"logo.bmp", 2},
                               Strip{"sound.bmp", 4}}) {
        const platform::DecodedBitmap bitmap = load(strip.name);
        const int frameHeight = bitmap.height / strip.frames;
        for (int normal = 0; normal < strip.frames; normal += 2) {
            double light[2] = {0, 0};
            for (int k = 0; k < 2; ++k)
                for (int y = (normal + k) * frameHeight; y < (normal + k + 1) * frameHeight; ++y)
                    for (int x = 0; x < bitmap.width; ++x) {
                        const uint32_t p = bitmap.pixelAt(x, y);
                        light[k] += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
                    }
            EXPECT_GT(light[1], light[0] * 1.15) << strip.name << " frame " << normal + 1;
        }
    }
}

TEST(PictureAssets, DesktopIconsArePngsOfTheirSizes) {
    for (int size : {48, 256}) {
        const std::vector<uint8_t> bytes = readFile("icon-" + std::to_string(size) + ".png");
        ASSERT_GT(bytes.size(), 33u);
        EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
        const auto big = [&](size_t offset) {
            return uint32_t(bytes[offset]) << 24 | uint32_t(bytes[offset + 1]) << 16 | uint32_t(bytes[offset + 2]) << 8 |
                   bytes[offset + 3];
        };
        EXPECT_EQ(big(16), uint32_t(size));
        EXPECT_EQ(big(20), uint32_t(size));
    }
}
