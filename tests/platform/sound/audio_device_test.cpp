// The SDL sound device: falling back to the silent driver, cursors moving
// in real time, and what reaches the output, checked through SDL's disk driver.
#include "platform/sound/audio_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace platform;

namespace {

struct Region {
    uint8_t* first = nullptr;
    uint8_t* second = nullptr;
    uint32_t firstSize = 0;
    uint32_t secondSize = 0;
    bool lock(SoundBuffer& buffer, uint32_t at, uint32_t size, bool whole = false) {
        return buffer.lock(at, size, whole, first, firstSize, second, secondSize);
    }
};

SoundBuffer* squareWave(AudioDevice& device, int16_t amplitude, uint32_t frames) {
    SoundBuffer* buffer = device.createBuffer(SoundFormat{1, 22050, 16}, frames * 2);
    Region region;
    EXPECT_TRUE(region.lock(*buffer, 0, 0, true));
    for (uint32_t i = 0; i < region.firstSize / 2; ++i) {
        const uint16_t value = static_cast<uint16_t>((i / 25) % 2 == 0 ? amplitude : -amplitude);
        std::memcpy(region.first + 2 * i, &value, 2);
    }
    EXPECT_TRUE(buffer->unlock(region.first, region.firstSize, region.second, 0));
    return buffer;
}

// The buffer's cursor once it has left from, or from after a second of waiting.
uint32_t cursorMovedOn(const SoundBuffer& buffer, const uint32_t& from) {
    uint32_t cursor = from;
    for (int wait = 0; wait < 100 && cursor == from; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(buffer.getCurrentPosition(cursor));
    }
    return cursor;
}

}  // namespace

TEST(AudioDevice, FallsBackToTheSilentDriverWhereCursorsStillMove) {
    AudioDevice::refuseOpenings(1);
    ::testing::internal::CaptureStderr();
    AudioDevice* device = AudioDevice::open(22050);
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(device, nullptr);
    EXPECT_STREQ(device->driverName(), "dummy");
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    SoundBuffer* buffer = squareWave(*device, 1000, 22050);
    ASSERT_TRUE(buffer->play(true));
    EXPECT_GT(cursorMovedOn(*buffer, 0), 0u);
    delete device;
    EXPECT_FALSE(buffer->play(false)) << "a buffer outliving its device is dead, not dangling";
    delete buffer;
}

TEST(AudioDevice, RefusesFormatsItCannotPlayAndLocksOutsideTheBuffer) {
    AudioDevice* device = AudioDevice::createDetached(22050);
    for (const SoundFormat& format : {SoundFormat{1, 22050, 24}, SoundFormat{6, 22050, 16}, SoundFormat{1, 0, 16}})
        EXPECT_EQ(device->createBuffer(format, 300), nullptr);
    EXPECT_EQ(device->createBuffer(SoundFormat{1, 22050, 16}, 1), nullptr);
    SoundBuffer* buffer = device->createBuffer(SoundFormat{1, 22050, 16}, 100);
    Region region;
    EXPECT_FALSE(region.lock(*buffer, 100, 10));
    EXPECT_FALSE(region.lock(*buffer, 0, 101));
    ASSERT_TRUE(region.lock(*buffer, 90, 30));
    EXPECT_EQ(region.firstSize, 10u);
    EXPECT_EQ(region.secondSize, 20u) << "the region wraps into a second part";
    EXPECT_TRUE(buffer->unlock(region.first, 10, region.second, 20));
    delete buffer;
    delete device;
}

TEST(AudioDevice, WhatIsPlayedReachesTheOutput) {
    const std::string file = std::string(std::getenv("XDG_DATA_HOME")) + "/output.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    AudioDevice* device = AudioDevice::open(22050);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_NE(device, nullptr);
    EXPECT_STREQ(device->driverName(), "disk");
    SoundBuffer* buffer = squareWave(*device, 12000, 2205);
    ASSERT_TRUE(buffer->play(false));
    for (int wait = 0; wait < 100 && buffer->isPlaying(); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(buffer->isPlaying()) << "a buffer played once stops at its end";
    delete buffer;
    delete device;

    std::vector<int16_t> samples(std::filesystem::file_size(file) / 2);
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(samples.data()), 2 * std::ssize(samples));
    EXPECT_EQ(std::count(samples.begin(), samples.end(), int16_t{12000}), 1105);
    EXPECT_EQ(std::count(samples.begin(), samples.end(), int16_t{-12000}), 1100);
}

TEST(AudioDevice, AnOutputThatGoesAwayIsOpenedAgainPausedAsItWasWithEveryBufferWhereItStood) {
    AudioDevice* device = AudioDevice::open(22050);
    ASSERT_NE(device, nullptr);
    ASSERT_STREQ(device->driverName(), "dummy") << "the output the tests' environment chose";
    SoundBuffer* music = squareWave(*device, 1000, 5 * 22050);
    ASSERT_TRUE(music->play(true));
    ASSERT_GT(cursorMovedOn(*music, 0), 0u);
    device->pauseOutput(true);
    uint32_t stood = 0;
    ASSERT_TRUE(music->getCurrentPosition(stood));

    ::testing::internal::CaptureStderr();
    device->keepOutputOpen(500);
    EXPECT_STREQ(device->driverName(), "dummy") << "an output that plays is left alone";
    device->dropOutput();
    AudioDevice::refuseOpenings(1);
    device->keepOutputOpen(1000);
    EXPECT_STREQ(device->driverName(), "") << "the first attempt, at once, is refused";
    device->keepOutputOpen(2000);
    EXPECT_STREQ(device->driverName(), "") << "no new attempt every frame";
    device->keepOutputOpen(4000);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_STREQ(device->driverName(), "dummy");
    EXPECT_EQ(said, "quadrimo: the sound output went away; opening it again every few seconds\n"
                    "quadrimo: the sound output is back\n");

    EXPECT_TRUE(device->outputPaused()) << "opened while the game was minimised";
    uint32_t cursor = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(music->getCurrentPosition(cursor));
    EXPECT_EQ(cursor, stood);
    device->pauseOutput(false);
    cursor = cursorMovedOn(*music, stood);
    EXPECT_GT(cursor, stood) << "the music plays on from where it stood";
    EXPECT_LT(cursor, stood + 22050u);
    delete music;
    delete device;
}
