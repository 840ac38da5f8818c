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
    std::vector<int16_t> samples;
    int peak = 0;
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
    if (bytes.size() < 44) {
        ADD_FAILURE() << name << " is too short";
        return wave;
    }
    const std::string tags(bytes.begin(), bytes.begin() + 16);
    EXPECT_EQ(tags.substr(0, 4) + tags.substr(8), "RIFFWAVEfmt ") << name;
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data") << name;
    // Header size, format, channels, rate, byte rate, block size, bits.
    const uint32_t fields[][3] = {{4, 4, uint32_t(bytes.size() - 8)}, {16, 4, 16}, {20, 2, 1}, {22, 2, 1},
                                  {24, 4, 22050}, {28, 4, 44100}, {32, 2, 2}, {34, 2, 16}, {40, 4, uint32_t(bytes.size() - 44)}};
    for (const auto& [offset, count, value] : fields) EXPECT_EQ(little(bytes, offset, int(count)), value) << name << " at " << offset;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) wave.samples.push_back(int16_t(little(bytes, i, 2)));
    for (int16_t s : wave.samples) wave.peak = std::max(wave.peak, std::abs(int(s)));
    return wave;
}

}  // namespace

TEST(SoundAssets, EffectsAreShortCanonicalWavesLouderThanTheMusicAndNeverClipped) {
    const int musicPeak = load("music.wav").peak;
    EXPECT_LT(musicPeak, 32000);
    for (const char* name : {"start.wav", "beltree.wav", "xyloslid.wav", "gliss.wav", "ok.wav", "bigbrass.wav", "pizz.wav"}) {
        const Wave wave = load(name);
        ASSERT_FALSE(wave.samples.empty()) << name;
        const double seconds = wave.samples.size() / 22050.0;
        EXPECT_GT(seconds, 0.3) << name;
        EXPECT_LT(seconds, 3.0) << name;
        EXPECT_LT(wave.peak, 32000) << name << " reaches full scale";
        EXPECT_GT(wave.peak, musicPeak * 3 / 2) << name << " is not clearly louder than the music";
        // A one-shot sound starts and ends in silence, so it never clicks.
        EXPECT_LT(std::abs(int(wave.samples.front())), 200) << name;
        EXPECT_LT(std::abs(int(wave.samples.back())), 200) << name;
    }
}

TEST(SoundAssets, MusicLoopsForHalfAMinuteOrMoreWithoutAJumpAtTheJoin) {
    const std::vector<int16_t> music = load("music.wav").samples;
    ASSERT_GE(music.size(), 30u * 22050);
    EXPECT_LE(music.size(), 60u * 22050);
    // The step from the last sample back to the first must look like any
    // other step of the music: compare it with the typical step size.
    double stepSquares = 0;
    for (size_t i = 1; i < music.size(); ++i) stepSquares += std::pow(music[i] - music[i - 1], 2);
    EXPECT_LT(std::abs(double(music.front()) - double(music.back())), 3 * std::sqrt(stepSquares / double(music.size() - 1)));
}
