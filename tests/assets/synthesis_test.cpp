// The generator's sound code: loops that wrap, one-shots that end in silence,
// and wave files that carry the samples unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/assetgen/envelope.h"
#include "tools/assetgen/sample_buffer.h"
#include "tools/assetgen/voices.h"
#include "tools/assetgen/wav_writer.h"

TEST(Synthesis, ALoopingBufferWrapsWhatRunsPastItsEndToItsStart) {
    SampleBuffer loop(1.0, true);
    SampleBuffer note(0.5, false);
    for (size_t i = 0; i < note.size(); ++i) note.add(long(i), 1.0f);
    loop.mix(note, 0.75, 1.0f);
    EXPECT_FLOAT_EQ(loop.at(0), 1.0f) << "the note's second half is heard at the start";
    EXPECT_FLOAT_EQ(loop.at(loop.size() / 2), 0.0f);
    SampleBuffer once(1.0, false);
    once.mix(note, 0.75, 1.0f);
    EXPECT_FLOAT_EQ(once.at(0), 0.0f) << "a one-shot drops what runs past its end";
}

TEST(Synthesis, RoomEchoOfALoopCarriesItsTailAcrossTheJoin) {
    SampleBuffer loop(1.0, true);
    loop.add(long(loop.size()) - 10, 1.0f);  // a click just before the end
    loop.addRoom(0.5f, 0.5f);
    double early = 0;
    for (size_t i = 0; i < 2000; ++i) early += std::fabs(loop.at(i));
    EXPECT_GT(early, 0.01) << "the echo of the end is heard at the start";
    EXPECT_EQ(loop.size(), size_t(SampleBuffer::sampleRate));
}

TEST(Synthesis, OneShotsEndInSilenceAndPeakWhereAsked) {
    const SampleBuffer note = voices::pluck(voices::pitch(60), 0.3, 0.5f);
    const std::vector<int16_t> pcm = note.toPcm(0.5f);
    int peak = 0;
    for (int16_t s : pcm) peak = std::max(peak, std::abs(int(s)));
    EXPECT_NEAR(peak, 16383, 2);
    EXPECT_EQ(pcm.back(), 0);
    EXPECT_NEAR(voices::pitch(69), 440.0, 1e-9);
    EXPECT_NEAR(voices::pitch(81), 880.0, 1e-9);
    EXPECT_FLOAT_EQ(Envelope::attack(0, 0.1), 0);
    EXPECT_FLOAT_EQ(Envelope::attack(0.2, 0.1), 1);
    EXPECT_FLOAT_EQ(Envelope::release(1.0, 1.0, 0.1), 0);
    EXPECT_TRUE(std::all_of(pcm.begin(), pcm.end(), [](int16_t s) { return s != -32768; }));
}

TEST(Synthesis, WaveFilesHoldTheSamplesAfterA44ByteHeader) {
    const std::string path = (std::filesystem::temp_directory_path() / "quadrimo_assetgen_test.wav").string();
    const std::vector<int16_t> samples = {0, 1, -1, 32767, -32767, 1234};
    ASSERT_TRUE(writeWav(path, samples, 22050));
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_EQ(bytes.size(), 44 + samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8), samples[i]);
    std::filesystem::remove(path);
    EXPECT_FALSE(writeWav("/nonexistent-folder/x.wav", samples, 22050));
}
