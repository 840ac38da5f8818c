// Sounds through a sound device whose mix the test pulls: whole and
// streaming fills, the half-buffer refill rule, play, stop and resume,
// and lost or refused buffers.
#include "media/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "platform/audio_device.h"
#include "platform/sound_buffer.h"
#include "support/test_application.h"
#include "support/wave_builder.h"

using namespace wavetest;

namespace {

// 2.5 seconds of mono 16-bit samples, every byte telling its place in the
// data, followed by a chunk that must never be heard.
Bytes musicData() {
    Bytes data(110250);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return data;
}

Bytes bufferContents(platform::SoundBuffer& buffer) {
    uint8_t* first = nullptr;
    uint8_t* second = nullptr;
    uint32_t firstSize = 0, secondSize = 0;
    EXPECT_TRUE(buffer.lock(0, 0, true, first, firstSize, second, secondSize));
    Bytes contents(first, first + firstSize);
    buffer.unlock(first, 0, second, 0);
    return contents;
}

// data[from, from + count), wrapping at its end.
Bytes slice(const Bytes& data, size_t from, size_t count) {
    Bytes out;
    for (size_t i = 0; i < count; ++i) out.push_back(data[(from + i) % data.size()]);
    return out;
}

// A file of count equal 16-bit samples.
std::string steadyWave(const std::string& name, size_t count, int16_t value) {
    return writeFile(name, simpleWave(samples16(std::vector<int16_t>(count, value))));
}

std::vector<int16_t> pull(platform::AudioDevice& device, uint32_t frames) {
    std::vector<int16_t> out(frames);
    device.render(out.data(), frames);
    return out;
}

class SoundTest : public ::testing::Test {
protected:
    TestApplication test_;
    platform::AudioDevice& device_ = test_.detachedSound();
};

}  // namespace

TEST_F(SoundTest, StreamingRefillsTheHalfTheCursorLeftAndNeverPlaysTrailingChunks) {
    const Bytes data = musicData();
    const std::string path = writeFile(
        "music.wav", riff({chunk("fmt ", formatBody(1, 22050, 16)), chunk("data", data), chunk("LIST", Bytes(40, 0xEE))}));
    Sound music(path.c_str(), true, 2);
    music.createBuffer();
    ASSERT_NE(music.buffer, nullptr);
    EXPECT_EQ(bufferContents(*music.buffer), slice(data, 0, 88200)) << "two seconds, from the start";

    auto refillAt = [&](uint32_t cursor) {
        EXPECT_TRUE(music.buffer->setCurrentPosition(cursor));
        EXPECT_TRUE(music.updateStream());
    };
    refillAt(30000);
    EXPECT_EQ(bufferContents(*music.buffer), slice(data, 0, 88200)) << "the cursor has not left the first half";
    refillAt(50000);
    EXPECT_EQ(music.lastStreamHalf, 44100u);
    Bytes expected = slice(data, 88200, 44100);
    Bytes secondHalf = slice(data, 44100, 44100);
    expected.insert(expected.end(), secondHalf.begin(), secondHalf.end());
    EXPECT_EQ(bufferContents(*music.buffer), expected);
    refillAt(60000);
    EXPECT_EQ(bufferContents(*music.buffer), expected);
    refillAt(100);
    EXPECT_EQ(music.lastStreamHalf, 0u);
    secondHalf = slice(data, 22050, 44100);
    std::copy(secondHalf.begin(), secondHalf.end(), expected.begin() + 44100);
    EXPECT_EQ(bufferContents(*music.buffer), expected);

    // A new game's music starts its refills afresh: its second half, just
    // filled, is not overwritten while the cursor is still in the first.
    refillAt(50000);
    Sound next(path.c_str(), true, 2);
    next.createBuffer();
    next.buffer->setCurrentPosition(30000);
    EXPECT_TRUE(next.updateStream());
    EXPECT_EQ(bufferContents(*next.buffer), slice(data, 0, 88200));
}

TEST_F(SoundTest, MusicIsContinuousAcrossRefills) {
    std::vector<int16_t> values(55125);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
    const std::string path = writeFile("continuous.wav", simpleWave(samples16(values)));
    Sound music(path.c_str(), true, 2);
    ASSERT_TRUE(music.play());
    std::vector<int16_t> heard;
    // Ticks far more often than once a half buffer, as the game's are.
    for (int tick = 0; tick < 200; ++tick) {
        const std::vector<int16_t> part = pull(device_, 500);
        heard.insert(heard.end(), part.begin(), part.end());
        ASSERT_TRUE(music.resume());
        ASSERT_TRUE(music.updateStream());
    }
    for (size_t i = 0; i < heard.size(); ++i) {
        ASSERT_EQ(heard[i], values[i % values.size()]) << "at output frame " << i;
    }
}

TEST_F(SoundTest, PlayStopAndResume) {
    std::vector<int16_t> values(1000);
    std::iota(values.begin(), values.end(), int16_t{1});
    const std::string path = writeFile("effect.wav", simpleWave(samples16(values)));
    Sound effect(path.c_str(), false, 2);
    EXPECT_EQ(effect.bufferSize, 2000u);
    ASSERT_TRUE(effect.play());
    EXPECT_EQ(pull(device_, 100)[0], 1);
    ASSERT_TRUE(effect.stop());
    EXPECT_EQ(pull(device_, 100), std::vector<int16_t>(100, 0));
    ASSERT_TRUE(effect.resume());
    EXPECT_EQ(pull(device_, 100)[0], 101) << "resume goes on where stop left it";
    ASSERT_TRUE(effect.resume());
    EXPECT_EQ(pull(device_, 1)[0], 201) << "resume while playing changes nothing";
    ASSERT_TRUE(effect.play());
    EXPECT_EQ(pull(device_, 1)[0], 1) << "play starts over";
    // Played whole, once: silence after its end.
    const std::vector<int16_t> rest = pull(device_, 1200);
    EXPECT_EQ(rest[998], 1000);
    EXPECT_EQ(rest[999], 0);
    EXPECT_EQ(rest[1199], 0);
}

TEST_F(SoundTest, OtherRatesKeepTheirPitchAndLoudSoundsSaturate) {
    // 8-bit stereo at half the device rate: each frame lasts two output frames.
    Bytes stereo;
    for (int i = 0; i < 50; ++i) stereo.insert(stereo.end(), {0xFF, 0xFF});
    const std::string slowPath = writeFile("slow.wav", simpleWave(stereo, 11025, 2, 8));
    const std::string loudPath = steadyWave("loud.wav", 100, 30000);
    Sound slow(slowPath.c_str(), false, 2);
    Sound loud(loudPath.c_str(), false, 2);
    ASSERT_TRUE(slow.play());
    const std::vector<int16_t> alone = pull(device_, 110);
    EXPECT_EQ(alone[0], 127 * 256);
    EXPECT_EQ(alone[98], 127 * 256);
    EXPECT_EQ(alone[105], 0);
    ASSERT_TRUE(slow.play());
    ASSERT_TRUE(loud.play());
    EXPECT_EQ(pull(device_, 1)[0], 32767);
}

TEST_F(SoundTest, LostBuffersAreRestoredAndRefilledOnce) {
    const std::string path = steadyWave("lost.wav", 100, 1234);
    Sound effect(path.c_str(), false, 2);
    effect.createBuffer();
    effect.buffer->setLost(true);
    ASSERT_TRUE(effect.play());
    EXPECT_EQ(pull(device_, 1)[0], 1234);

    // A buffer that cannot be restored is made anew.
    effect.buffer->setLost(true);
    effect.buffer->setRestoreFails(true);
    ASSERT_TRUE(effect.play());
    EXPECT_FALSE(effect.buffer->isLost());
    EXPECT_EQ(pull(device_, 1)[0], 1234);

    // A music buffer lost while playing plays again at the next tick.
    const std::string musicPath = steadyWave("lostmusic.wav", 44100, 77);
    Sound music(musicPath.c_str(), true, 2);
    ASSERT_TRUE(music.play());
    device_.loseAllBuffers();
    EXPECT_TRUE(music.resume());
    EXPECT_TRUE(music.updateStream());
    EXPECT_TRUE(music.resume());
    EXPECT_EQ(pull(device_, 1)[0], 77);
}

TEST_F(SoundTest, UnreadableFilesAndRefusedBuffersStaySilent) {
    const std::string junk = writeFile("junk.wav", Bytes(100, 'x'));
    const std::string weird = writeFile("float.wav", simpleWave(Bytes(64, 0), 22050, 1, 32));
    for (const std::string& name : {std::string("missing.wav"), junk, weird}) {
        Sound sound(name.c_str(), false, 2);
        EXPECT_FALSE(sound.createBuffer());
        EXPECT_FALSE(sound.play());
        EXPECT_FALSE(sound.resume());
        EXPECT_TRUE(sound.stop());
        EXPECT_EQ(sound.buffer, nullptr);
    }
    Sound missingMusic("missing.wav", true, 2);
    EXPECT_FALSE(missingMusic.updateStream());
    device_.refuseBufferCreations(1);
    const std::string good = steadyWave("good.wav", 10, 5);
    Sound refused(good.c_str(), false, 2);
    EXPECT_FALSE(refused.createBuffer());
    EXPECT_TRUE(refused.play()) << "a later try may be granted";
    EXPECT_EQ(pull(device_, 1)[0], 5);
}
