// The splash screen's jingle: started once at frame 5 when sound is on,
// never when it is off, and silenced when the splash is left.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "display/screen_manager.h"
#include "display/splash_screen.h"
#include "media/sound.h"
#include "platform/audio_device.h"
#include "platform/sound_buffer.h"
#include "support/test_application.h"
#include "support/wave_builder.h"

namespace fs = std::filesystem;

namespace {

// Runs the test in a private folder holding a one-second "start.wav".
class SplashJingle : public ::testing::Test {
protected:
    SplashJingle() : previous_(fs::current_path()) {
        std::string pattern = (fs::temp_directory_path() / "splash-jingle-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        fs::current_path(folder_);
        const wavetest::Bytes wave = wavetest::simpleWave(wavetest::samples16(std::vector<int16_t>(22050, 1000)));
        std::ofstream("start.wav", std::ios::binary)
            .write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
        application.app().hasSound = true;
    }
    ~SplashJingle() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    bool audible() {
        std::vector<int16_t> mix(256);
        device.render(mix.data(), static_cast<uint32_t>(mix.size()));
        for (const int16_t sample : mix)
            if (sample != 0) return true;
        return false;
    }

    fs::path previous_;
    fs::path folder_;
    TestApplication application;
    platform::AudioDevice& device = application.detachedSound();
};

}  // namespace

TEST_F(SplashJingle, StartsOnceOnTheTickThatReachesFrameFiveAndNeverWithSoundOff) {
    for (const bool sound : {true, false}) {
        application.app().hasSound = sound;
        SplashScreen splash(nullptr, 0, 0, 800, 600);
        platform::SoundBuffer* buffer = splash.startSound->buffer;
        ASSERT_NE(buffer, nullptr);
        std::vector<int> playingAt;
        for (int f = 1; f <= 64; ++f) {
            splash.tick();
            if (buffer->isPlaying()) playingAt.push_back(f), buffer->stop();
        }
        EXPECT_EQ(playingAt, sound ? std::vector<int>{5} : std::vector<int>{}) << "sound " << sound;
    }
    EXPECT_FALSE(audible());
}

TEST_F(SplashJingle, LeavingTheSplashEndsAJingleStillPlaying) {
    ScreenManager manager(nullptr, 0, 0);
    for (int f = 1; f <= 5; ++f) manager.tick();
    EXPECT_TRUE(audible());
    application.app().keyCode = KEY_SPACE;
    manager.handleEvent(EVENT_KEY_DOWN);
    ASSERT_EQ(manager.getFrame(), SCREEN_TITLE);
    EXPECT_FALSE(audible());
}
