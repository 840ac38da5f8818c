// The generated sounds: the wave format the sound device plays, no clipping,
// effects louder than the music, and a music loop whose end joins its start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/wave_file.h"

namespace {

// The samples of a file the game reads, as it must, as 22050 Hz, mono, 16 bits.
std::vector<int16_t> load(const std::string& name) {
    const std::string path = std::string(QUADRIMO_RUN_DIR) + "/" + name;
    uint32_t channels = 0, rate = 0, bits = 0, size = 0;
    EXPECT_TRUE(WaveFile::readHeader(path.c_str(), channels, rate, bits, size)) << name;
    EXPECT_EQ(std::vector<uint32_t>({channels, rate, bits}), std::vector<uint32_t>({1, 22050, 16})) << name;
    std::vector<int16_t> samples(size / 2);
    WaveFile file;
    EXPECT_TRUE(file.open(path.c_str()) && file.read(samples.data(), size, false)) << name;
    return samples;
}

int peakOf(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

}  // namespace

TEST(SoundAssets, EffectsAreShortCanonicalWavesLouderThanTheMusicAndNeverClipped) {
    const int musicPeak = peakOf(load("music.wav"));
    EXPECT_LT(musicPeak, 32000);
    for (const char* name : {"start.wav", "beltree.wav", "xyloslid.wav", "gliss.wav", "ok.wav", "bigbrass.wav", "pizz.wav"}) {
        const std::vector<int16_t> wave = load(name);
        ASSERT_FALSE(wave.empty()) << name;
        const double seconds = wave.size() / 22050.0;
        EXPECT_TRUE(seconds > 0.3 && seconds < 3.0) << name << " lasts " << seconds << " s";
        EXPECT_LT(peakOf(wave), 32000) << name << " reaches full scale";
        EXPECT_GT(peakOf(wave), musicPeak * 3 / 2) << name << " is not clearly louder than the music";
        // A one-shot sound starts and ends in silence, so it never clicks.
        EXPECT_LT(std::max(std::abs(int(wave.front())), std::abs(int(wave.back()))), 200) << name;
    }
}

TEST(SoundAssets, MusicLoopsForHalfAMinuteOrMoreWithoutAJumpAtTheJoin) {
    const std::vector<int16_t> music = load("music.wav");
    ASSERT_GE(music.size(), 30u * 22050);
    EXPECT_LE(music.size(), 60u * 22050);
    // The step from the last sample back to the first must look like any
    // other step of the music: compare it with the typical step size.
    double stepSquares = 0;
    for (size_t i = 1; i < music.size(); ++i) stepSquares += std::pow(music[i] - music[i - 1], 2);
    EXPECT_LT(std::abs(double(music.front()) - double(music.back())), 3 * std::sqrt(stepSquares / double(music.size() - 1)));
}
