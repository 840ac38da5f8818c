// The generated sounds: the wave format the sound device plays, no clipping,
// effects louder than the music, and a music loop whose end joins its start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wave {
    bool canonical = false;
    std::vector<int16_t> samples;
};

uint32_t little(const std::vector<uint8_t>& bytes, size_t offset, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[offset + size_t(i)];
    return value;
}

// Reads a file that must be RIFF/WAVE PCM, 22050 Hz, mono, 16 bits, with the
// 44-byte canonical header.
Wave load(const std::string& name) {
    std::ifstream file(std::string(QUADRIMO_RUN_DIR) + "/" + name, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    Wave wave;
    if (bytes.size() < 44) return wave;
    const std::string riff(bytes.begin(), bytes.begin() + 4), kind(bytes.begin() + 8, bytes.begin() + 12);
    const std::string fmt(bytes.begin() + 12, bytes.begin() + 16), data(bytes.begin() + 36, bytes.begin() + 40);
    wave.canonical = riff == "RIFF" && kind == "WAVE" && fmt == "fmt " && data == "data" &&
                     little(bytes, 4, 4) == bytes.size() - 8 && little(bytes, 16, 4) == 16 &&
                     little(bytes, 20, 2) == 1 && little(bytes, 22, 2) == 1 && little(bytes, 24, 4) == 22050 &&
                     little(bytes, 28, 4) == 44100 && little(bytes, 32, 2) == 2 && little(bytes, 34, 2) == 16 &&
                     little(bytes, 40, 4) == bytes.size() - 44;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) wave.samples.push_back(int16_t(little(bytes, i, 2)));
    return wave;
}

int peakOf(const Wave& wave) {
    int peak = 0;
    for (int16_t s : wave.samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

const char* const effects[] = {"start.wav", "beltree.wav", "xyloslid.wav", "gliss.wav",
                               "ok.wav",    "bigbrass.wav", "pizz.wav"};

}  // namespace

TEST(SoundAssets, EffectsAreShortCanonicalWavesLouderThanTheMusicAndNeverClipped) {
    const Wave music = load("music.wav");
    ASSERT_TRUE(music.canonical);
    const int musicPeak = peakOf(music);
    EXPECT_LT(musicPeak, 32000);
    for (const char* name : effects) {
        const Wave wave = load(name);
        EXPECT_TRUE(wave.canonical) << name;
        ASSERT_FALSE(wave.samples.empty()) << name;
        const double seconds = wave.samples.size() / 22050.0;
        EXPECT_GT(seconds, 0.3) << name;
        EXPECT_LT(seconds, 3.0) << name;
        const int peak = peakOf(wave);
        EXPECT_LT(peak, 32000) << name << " reaches full scale";
        EXPECT_GT(peak, musicPeak * 3 / 2) << name << " is not clearly louder than the music";
        // A one-shot sound starts and ends in silence, so it never clicks.
        EXPECT_LT(std::abs(int(wave.samples.front())), 200) << name;
        EXPECT_LT(std::abs(int(wave.samples.back())), 200) << name;
    }
}

TEST(SoundAssets, MusicLoopsForHalfAMinuteOrMoreWithoutAJumpAtTheJoin) {
    const Wave music = load("music.wav");
    ASSERT_TRUE(music.canonical);
    const double seconds = music.samples.size() / 22050.0;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
    // The step from the last sample back to the first must look like any
    // other step of the music: compare it with the typical step size.
    double stepSquares = 0;
    for (size_t i = 1; i < music.samples.size(); ++i) {
        const double step = music.samples[i] - music.samples[i - 1];
        stepSquares += step * step;
    }
    const double typicalStep = std::sqrt(stepSquares / double(music.samples.size() - 1));
    const double joinStep = std::abs(double(music.samples.front()) - double(music.samples.back()));
    EXPECT_LT(joinStep, 3 * typicalStep);
}
