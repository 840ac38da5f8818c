// Sounds through a sound device whose mix the test pulls: streaming music
// heard whole across refills, play, stop and resume, mixing, and lost or
// refused buffers.
#include "media/sound.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "platform/sound/audio_device.h"
#include "platform/sound/sound_buffer.h"
#include "support/test_application.h"
#include "support/wave_builder.h"

using namespace wavetest;

namespace {

// A file of count equal 16-bit samples.
std::string steadyWave(const std::string& name, size_t count, int16_t value) {
    return writeFile(name, simpleWave(samples16(std::vector<int16_t>(count, value))));
}

class SoundTest : public ::testing::Test {
protected:
    std::vector<int16_t> pull(uint32_t frames) {
        std::vector<int16_t> out(frames);
        device_.render(out.data(), frames);
        return out;
    }
    TestApplication test_;
    platform::AudioDevice& device_ = test_.detachedSound();
};

}  // namespace

TEST_F(SoundTest, MusicIsHeardWholeAcrossRefillsAndNeverPlaysTrailingChunks) {
    // 2.5 seconds, every sample telling its place, then a chunk that must never be heard.
    std::vector<int16_t> values(55125);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
    const Bytes wave = riff({chunk("fmt ", formatBody(1, 22050, 16)), chunk("data", samples16(values)),
                             chunk("LIST", Bytes(40, 0xEE))});
    const std::string path = writeFile("music.wav", wave);
    // The first music stops with the cursor in its buffer's second half; the
    // next game's music must start its refills afresh, not where that one stood.
    for (int game = 0; game < 2; ++game) {
        Sound music(path.c_str(), true, 2);
        ASSERT_TRUE(music.play());
        // Ticks far more often than once a half buffer, as the game's are.
        for (size_t heard = 0; heard < 80000; heard += 500) {
            const std::vector<int16_t> part = pull(500);
            for (size_t i = 0; i < part.size(); ++i)
                ASSERT_EQ(part[i], values[(heard + i) % values.size()]) << "game " << game << ", frame " << heard + i;
            ASSERT_TRUE(music.resume());
            ASSERT_TRUE(music.updateStream());
        }
    }
}

TEST_F(SoundTest, PlayStopAndResume) {
    std::vector<int16_t> values(1000);
    std::iota(values.begin(), values.end(), int16_t{1});
    const std::string path = writeFile("effect.wav", simpleWave(samples16(values)));
    Sound effect(path.c_str(), false, 2);
    ASSERT_TRUE(effect.play());
    EXPECT_EQ(pull(100)[0], 1);
    ASSERT_TRUE(effect.stop());
    EXPECT_EQ(pull(100), std::vector<int16_t>(100, 0));
    ASSERT_TRUE(effect.resume());
    EXPECT_EQ(pull(100)[0], 101) << "resume goes on where stop left it";
    ASSERT_TRUE(effect.resume());
    EXPECT_EQ(pull(1)[0], 201) << "resume while playing changes nothing";
    // Play starts over and plays the sound whole, once: silence after its end.
    ASSERT_TRUE(effect.play());
    const std::vector<int16_t> heard = pull(1200);
    EXPECT_EQ(std::vector<int16_t>({heard[0], heard[999], heard[1000], heard[1199]}),
              std::vector<int16_t>({1, 1000, 0, 0}));
}

TEST_F(SoundTest, OtherRatesKeepTheirPitchAndLoudSoundsSaturate) {
    // 8-bit stereo at half the device rate: each frame lasts two output frames.
    const std::string slowPath = writeFile("slow.wav", simpleWave(Bytes(100, 0xFF), 11025, 2, 8));
    const std::string loudPath = steadyWave("loud.wav", 100, 30000);
    Sound slow(slowPath.c_str(), false, 2);
    Sound loud(loudPath.c_str(), false, 2);
    ASSERT_TRUE(slow.play());
    const std::vector<int16_t> alone = pull(110);
    EXPECT_EQ(std::vector<int16_t>({alone[0], alone[98], alone[105]}), std::vector<int16_t>({127 * 256, 127 * 256, 0}));
    ASSERT_TRUE(slow.play());
    ASSERT_TRUE(loud.play());
    EXPECT_EQ(pull(1)[0], 32767);
}

TEST_F(SoundTest, LostBuffersAreRestoredOrMadeAnewAndMissingOrRefusedOnesLeaveSilence) {
    Sound missing("missing.wav", false, 2);
    EXPECT_FALSE(missing.play() || missing.resume());
    EXPECT_TRUE(missing.stop());
    EXPECT_EQ(missing.buffer, nullptr);
    Sound missingMusic("missing.wav", true, 2);
    EXPECT_FALSE(missingMusic.updateStream());
    device_.refuseBufferCreations(1);
    const std::string good = steadyWave("good.wav", 10, 5);
    Sound refused(good.c_str(), false, 2);
    EXPECT_FALSE(refused.createBuffer());
    EXPECT_TRUE(refused.play()) << "a later try may be granted";
    EXPECT_EQ(pull(10), std::vector<int16_t>(10, 5));

    const std::string path = steadyWave("lost.wav", 100, 1234);
    Sound effect(path.c_str(), false, 2);
    // Restored memory is blank; a buffer that cannot be restored is made anew.
    for (const bool restoreFails : {false, true}) {
        effect.play();
        effect.buffer->setLost(true);
        effect.buffer->setRestoreFails(restoreFails);
        ASSERT_TRUE(effect.play());
        EXPECT_EQ(pull(1)[0], 1234) << restoreFails;
    }

    // A music buffer lost while playing plays again at the next tick.
    const std::string musicPath = steadyWave("lostmusic.wav", 44100, 77);
    Sound music(musicPath.c_str(), true, 2);
    ASSERT_TRUE(music.play());
    device_.loseAllBuffers();
    EXPECT_TRUE(music.resume());
    EXPECT_TRUE(music.updateStream());
    EXPECT_TRUE(music.resume());
    EXPECT_EQ(pull(1)[0], 77);
}
