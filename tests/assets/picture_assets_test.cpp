// The generated pictures: names, declared sizes, 24-bit format, the colour-key
// rules of the keyed sheets, and blocks that stay apart without colour vision.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files/bitmap_decoder.h"

namespace {

std::vector<uint8_t> readFile(const std::string& name) {
    std::ifstream file(std::string(QUADRIMO_RUN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// count bytes at offset, little-endian.
uint32_t number(const std::vector<uint8_t>& bytes, size_t offset, int count) {
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

// Whether a 0xRRGGBB pixel stays non-zero, so not the key, in 5-6-5.
bool seenIn565(uint32_t rgb) { return (rgb & 0xF8FCF8) != 0; }

// The sum of the three channels of a 0xRRGGBB pixel.
int lightOf(uint32_t p) { return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF); }

}  // namespace

TEST(PictureAssets, EveryPictureIsAn24BitBmpOfItsDeclaredSize) {
    const std::tuple<const char*, int, int> pictures[] = {
        {"company.bmp", 280, 90},         {"title.bmp", 800, 600},  {"start.bmp", 83, 76},
        {"highscores.bmp", 102, 56},      {"options.bmp", 73, 56},  {"help.bmp", 44, 56},
        {"exit.bmp", 44, 56},             {"field.bmp", 800, 600},  {"blocks.bmp", 150, 240},
        {"digits.bmp", 100, 12},          {"digits2.bmp", 160, 20}, {"sound.bmp", 104, 68},
        {"exit2.bmp", 54, 32},            {"logo.bmp", 148, 106},   {"gameover.bmp", 81, 12},
        {"ok.bmp", 22, 24},               {"congratulations.bmp", 263, 64}, {"tips.bmp", 342, 30},
        {"resetscores.bmp", 96, 24},      {"name.bmp", 39, 11},     {"score.bmp", 42, 12},
        {"icon.bmp", 64, 64},
    };
    for (const auto& [name, width, height] : pictures) {
        const std::vector<uint8_t> bytes = readFile(name);
        ASSERT_GE(bytes.size(), 54u) << name;
        // Magic, file size, bits per pixel and no compression.
        const std::vector<uint32_t> header{number(bytes, 0, 2), number(bytes, 2, 4), number(bytes, 28, 2),
                                           number(bytes, 30, 4)};
        EXPECT_EQ(header, std::vector<uint32_t>({0x4D42, uint32_t(bytes.size()), 24, 0})) << name;
        const platform::DecodedBitmap bitmap = load(name);
        EXPECT_EQ(std::pair(bitmap.width, bitmap.height), std::pair(width, height)) << name;
    }
}

// Where black is the colour key, a pixel is either exactly black (meant to be
// transparent) or it must not become 0 in 5-6-5, or it would vanish.
TEST(PictureAssets, KeyedSheetsAreExactlyBlackOrVisibleAndEachFrameShowsAGlyphOnAKeyGround) {
    for (const char* name : {"blocks.bmp", "digits2.bmp", "sound.bmp"}) {
        const platform::DecodedBitmap bitmap = load(name);
        EXPECT_EQ(std::count_if(bitmap.pixels.begin(), bitmap.pixels.end(), [](uint32_t p) { return p != 0 && !seenIn565(p); }), 0)
            << name;
    }
    const platform::DecodedBitmap sheet = load("blocks.bmp");
    for (int row = 0; row < 8; ++row) {
        const int top = row * 30;
        // The resting block: every pixel of its inner 22 x 22 is seen.
        for (int y = top + 4; y < top + 26; ++y)
            for (int x = 4; x < 26; ++x) ASSERT_TRUE(seenIn565(sheet.pixelAt(x, y))) << "row " << row << " at " << x << "," << y;
        for (int left = 0; left < 150; left += 30) {
            int visible = 0;
            for (int y = top; y < top + 30; ++y)
                for (int x = left; x < left + 30; ++x) visible += sheet.pixelAt(x, y) != 0;
            EXPECT_GT(visible, 20) << "row " << row << " at " << left << " shows nothing";
            EXPECT_EQ(sheet.pixelAt(left, top) | sheet.pixelAt(left + 29, top + 29), 0u) << "row " << row << " at " << left;
        }
    }
    const platform::DecodedBitmap digits = load("digits2.bmp");
    for (int d = 0; d < 10; ++d) {
        int visible = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = d * 16; x < d * 16 + 16; ++x) visible += seenIn565(digits.pixelAt(x, y));
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
    for (size_t row = 0; row < 8; ++row)
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const uint32_t p = sheet.pixelAt(x, int(row) * 30 + y);
                const float r = ((p >> 16) & 0xFF) / 255.0f, g = ((p >> 8) & 0xFF) / 255.0f, b = (p & 0xFF) / 255.0f;
                grey[row].push_back(0.299f * r + 0.587f * g + 0.114f * b);
                // Deuteranopia (Machado, Oliveira and Fernandes, severity 1), on plain values.
                seen[row][0] += (0.367f * r + 0.861f * g - 0.228f * b) / 900;
                seen[row][1] += (0.280f * r + 0.673f * g + 0.047f * b) / 900;
                seen[row][2] += (-0.012f * r + 0.043f * g + 0.969f * b) / 900;
            }
    for (size_t a = 0; a < 8; ++a)
        for (size_t b = a + 1; b < 8; ++b) {
            float greyDifference = 0;
            for (size_t i = 0; i < 900; ++i) greyDifference += std::fabs(grey[a][i] - grey[b][i]);
            EXPECT_GT(greyDifference / 900, 0.06f) << "rows " << a << " and " << b << " in grey";
            EXPECT_GT(std::hypot(seen[a][0] - seen[b][0], seen[a][1] - seen[b][1], seen[a][2] - seen[b][2]), 0.04f)
                << "rows " << a << " and " << b << " for a deuteranope";
        }
}

TEST(PictureAssets, ButtonsBrightenWhenHighlighted) {
    // Every strip holds normal and highlighted frames in pairs: the sound switch two pairs, the others one.
    for (const char* name : {"start.bmp", "highscores.bmp", "options.bmp", "help.bmp", "exit.bmp", "ok.bmp",
                             "resetscores.bmp", "exit2.bmp", "logo.bmp", "sound.bmp"}) {
        const platform::DecodedBitmap bitmap = load(name);
        const int frames = std::string(name) == "sound.bmp" ? 4 : 2;
        const int frameHeight = bitmap.height / frames;
        std::vector<double> light(size_t(frames), 0);
        for (int y = 0; y < frameHeight * frames; ++y)
            for (int x = 0; x < bitmap.width; ++x) light[size_t(y / frameHeight)] += lightOf(bitmap.pixelAt(x, y));
        for (size_t normal = 0; normal < light.size(); normal += 2)
            EXPECT_GT(light[normal + 1], light[normal] * 1.15) << name << " frame " << normal + 1;
    }
}

// The logo button is opaque and wider than the corner panel it sits in: left
// of the panel's inside (its border included) and along its own edges both
// of its frames must show the field, or a rectangle shows.
TEST(PictureAssets, LogoFramesRepeatTheFieldAtTheirEdgesAndOverThePanelBorder) {
    const platform::DecodedBitmap field = load("field.bmp");
    const platform::DecodedBitmap logo = load("logo.bmp");
    constexpr int left = 647, top = 535, frameHeight = 53, panelInside = 654;
    for (int frame = 0; frame < 2; ++frame)
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < logo.width; ++x) {
                if (left + x >= panelInside && x != logo.width - 1 && y != 0 && y != frameHeight - 1) continue;
                const uint32_t shown = logo.pixelAt(x, frame * frameHeight + y);
                const uint32_t beneath = field.pixelAt(left + x, top + y);
                for (int shift : {0, 8, 16})  // the same up to rounding
                    ASSERT_NEAR((shown >> shift) & 0xFF, (beneath >> shift) & 0xFF, 2)
                        << "frame " << frame << " at " << x << "," << y;
            }
    // The corner panel's left border is drawn, not hidden under the board's frame.
    const uint32_t border = field.pixelAt(652, 500);
    EXPECT_GT((border >> 16) & 0xFF, 0x90u);
    EXPECT_LT(border & 0xFF, 0x60u);
}
