// The splash screen's fade schedule, its jingle, its end and its skipping.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "display/screen_manager.h"
#include "display/splash_screen.h"
#include "media/sound.h"
#include "platform/sound/audio_device.h"
#include "platform/sound/sound_buffer.h"
#include "screens/title_screen.h"
#include "support/test_application.h"
#include "support/wave_builder.h"

namespace fs = std::filesystem;

namespace {

// Runs in the private folder, where a one-second "start.wav" of its own is the jingle.
class SplashScreenTest : public ::testing::Test {
protected:
    SplashScreenTest() : previous_(fs::current_path()) {
        wavetest::writeFile("start.wav", wavetest::simpleWave(wavetest::samples16(std::vector<int16_t>(22050, 1000))));
        fs::current_path(std::getenv("XDG_DATA_HOME"));
        application.app().hasSound = true;
    }
    ~SplashScreenTest() override {
        fs::remove("start.wav");
        fs::current_path(previous_);
    }

    bool audible() {
        std::vector<int16_t> mix(256);
        device.render(mix.data(), static_cast<uint32_t>(mix.size()));
        for (const int16_t sample : mix)
            if (sample != 0) return true;
        return false;
    }

    fs::path previous_;
    TestApplication application;
    platform::AudioDevice& device = application.detachedSound();
};

}  // namespace

TEST_F(SplashScreenTest, LogoFadesInHoldsAndFadesOutAndTheJingleStartsOnceAtFrameFiveIfSoundIsOn) {
    std::vector<int> schedule{0, 8, 17, 25, 34, 42, 51, 59, 68, 76, 85, 93, 102, 110, 119};  // fading in
    schedule.resize(52, 128);                                                                 // held
    for (const int alpha : {119, 102, 85, 68, 51, 34, 17, 0}) schedule.push_back(alpha);     // fading out faster
    schedule.resize(65, 0);
    for (const bool sound : {true, false}) {
        application.app().hasSound = sound;
        SplashScreen splash(nullptr, 0, 0, 800, 600);
        platform::SoundBuffer* buffer = splash.startSound->buffer;
        ASSERT_NE(buffer, nullptr);
        std::vector<int> alphas{splash.logo->getAlpha()};
        std::vector<int> playingAt;
        for (int f = 1; f <= 64; ++f) {
            splash.tick();
            ASSERT_EQ(splash.getFrame(), f);
            alphas.push_back(splash.logo->getAlpha());
            if (buffer->isPlaying()) playingAt.push_back(f), buffer->stop();
        }
        EXPECT_EQ(playingAt, sound ? std::vector<int>{5} : std::vector<int>{}) << "sound " << sound;
        EXPECT_EQ(alphas, schedule);
    }
}

TEST_F(SplashScreenTest, TitleFollowsTheLastFrameOrAClickOrKeyPressButNothingElseAndTheJingleEndsWithTheSplash) {
    for (const int skippingEvent : {0, EVENT_MOUSE_DOWN, EVENT_KEY_DOWN}) {
        ScreenManager manager(nullptr, 0, 0);
        for (const int event : {EVENT_MOUSE_MOVE, EVENT_KEY_UP, EVENT_CHAR}) manager.handleEvent(event);
        for (int i = 0; i < 63; ++i) manager.tick();
        auto* splash = dynamic_cast<SplashScreen*>(manager.children[0]);
        ASSERT_NE(splash, nullptr);
        EXPECT_EQ(splash->getFrame(), 63);
        EXPECT_TRUE(audible()) << "the jingle plays on";
        if (skippingEvent == 0) manager.tick();  // the tick that reaches the last frame
        else manager.handleEvent(skippingEvent);
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
        EXPECT_NE(dynamic_cast<TitleScreen*>(manager.children[0]), nullptr);
        EXPECT_FALSE(audible()) << skippingEvent;
        manager.tick();  // the splash is gone: further ticks reach the title only
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
    }
}
