// The pictures drawn in each language: every picture with words is there,
// the size of the English one with its frames and colour key rules, and
// every text in it has all its letters at a legible size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/bitmap_decoder.h"
#include "tools/assetgen/text_art.h"

namespace {

const std::string runDir = QUADRIMO_RUN_DIR;

platform::DecodedBitmap load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    platform::DecodedBitmap bitmap;
    EXPECT_TRUE(bytes.size() > 28 && bytes[28] == 24 && platform::decodeBitmap(bytes.data(), bytes.size(), bitmap))
        << path << " is not a 24-bit BMP";
    return bitmap;
}

std::vector<std::string> languages() {
    std::vector<std::string> codes;
    for (const auto& entry : std::filesystem::directory_iterator(runDir + "/locale")) codes.push_back(entry.path().filename());
    return codes;
}

// Light of each frame of a vertical strip.
std::vector<double> frameLight(const platform::DecodedBitmap& strip, int frames) {
    std::vector<double> light(size_t(frames), 0);
    const int frameHeight = strip.height / frames;
    for (int y = 0; y < frameHeight * frames; ++y)
        for (int x = 0; x < strip.width; ++x) {
            const uint32_t p = strip.pixelAt(x, y);
            light[size_t(y / frameHeight)] += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        }
    return light;
}

}  // namespace

TEST(TranslatedAssets, EveryLanguageHasEachWordedPictureAtTheEnglishSizeWithItsFrames) {
    const std::vector<std::string> codes = languages();
    EXPECT_GE(codes.size(), 8u);
    const std::pair<const char*, int> pictures[] = {
        {"start.bmp", 2}, {"highscores.bmp", 2}, {"options.bmp", 2}, {"help.bmp", 2}, {"exit.bmp", 2},
        {"ok.bmp", 2}, {"resetscores.bmp", 2}, {"exit2.bmp", 2}, {"sound.bmp", 4}, {"company.bmp", 1},
        {"field.bmp", 1}, {"gameover.bmp", 1}, {"name.bmp", 1}, {"score.bmp", 1}, {"congratulations.bmp", 1},
        {"tips.bmp", 1}};
    for (const std::string& code : codes) {
        for (const auto& [name, frames] : pictures) {
            const platform::DecodedBitmap english = load(runDir + "/" + name);
            const platform::DecodedBitmap translated = load(runDir + "/locale/" + code + "/" + name);
            ASSERT_EQ(std::pair(translated.width, translated.height), std::pair(english.width, english.height))
                << code << " " << name;
            const std::vector<double> light = frameLight(translated, frames);
            for (size_t normal = 0; frames > 1 && normal < light.size(); normal += 2)
                EXPECT_GT(light[normal + 1], light[normal] * 1.15) << code << " " << name << " frame " << normal + 1;
        }
        // Black is the sound button's colour key: anything else must stay non-zero in 5-6-5.
        const platform::DecodedBitmap sound = load(runDir + "/locale/" + code + "/sound.bmp");
        for (uint32_t p : sound.pixels) ASSERT_TRUE(p == 0 || (p & 0xF8FCF8) != 0) << code << " sound.bmp";
        EXPECT_TRUE(std::filesystem::is_regular_file(runDir + "/locale/" + code + "/help/screen.png")) << code;
    }
}

// The generator's record of every text it drew in a language: its letters
// all in the font, its capitals no smaller than legible (or than the box
// allows), and not condensed past three quarters of its width.
TEST(TranslatedAssets, EveryTranslatedTextHasItsGlyphsAtALegibleSize) {
    for (const std::string& code : languages()) {
        std::ifstream report(runDir + "/locale/" + code + "/fitted-texts.txt");
        int texts = 0;
        for (std::string line; std::getline(report, line); ++texts) {
            std::istringstream fields(line);
            int capitals = 0, designCapitals = 0;
            float squeeze = 0;
            std::string glyphs, text;
            fields >> capitals >> designCapitals >> squeeze >> glyphs;
            std::getline(fields >> std::ws, text);
            EXPECT_EQ(glyphs, "complete") << code << ": " << text;
            EXPECT_GE(capitals, std::min(TextArt::LEGIBLE_CAPITALS, designCapitals)) << code << ": " << text;
            EXPECT_GE(squeeze, 0.75f) << code << ": " << text;
        }
        EXPECT_GE(texts, 40) << code;
    }
}
