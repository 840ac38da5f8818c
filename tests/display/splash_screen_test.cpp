// The splash screen's fade schedule, its end and its skipping.
#include <gtest/gtest.h>

#include <vector>

#include "display/screen_manager.h"
#include "display/splash_screen.h"
#include "platform/surface.h"
#include "screens/title_screen.h"
#include "support/test_application.h"

namespace {

SplashScreen* splashOf(ScreenManager& manager) { return dynamic_cast<SplashScreen*>(manager.children[0]); }

}  // namespace

TEST(SplashScreen, LogoFadesInHoldsAndFadesOut) {
    TestApplication application;
    SplashScreen splash(nullptr, 0, 0, 800, 600);
    EXPECT_EQ(splash.frameCount, 65);
    EXPECT_TRUE(splash.isAnimating());
    EXPECT_EQ(splash.logo->getX(), 260);
    EXPECT_EQ(splash.logo->getY(), 255);

    std::vector<int> alphas{splash.logo->getAlpha()};
    for (int f = 1; f <= 64; ++f) {
        splash.tick();
        ASSERT_EQ(splash.getFrame(), f);
        alphas.push_back(splash.logo->getAlpha());
    }
    const std::vector<int> fadeIn{0, 8, 17, 25, 34, 42, 51, 59, 68, 76, 85, 93, 102, 110, 119};
    const std::vector<int> fadeOut{119, 102, 85, 68, 51, 34, 17, 0};
    EXPECT_EQ(std::vector<int>(alphas.begin(), alphas.begin() + 15), fadeIn);
    for (int f = 15; f <= 51; ++f) EXPECT_EQ(alphas[f], 128) << "frame " << f;
    EXPECT_EQ(std::vector<int>(alphas.begin() + 52, alphas.begin() + 60), fadeOut);
    for (int f = 60; f <= 64; ++f) EXPECT_EQ(alphas[f], 0) << "frame " << f;

    // Without a manager above it the last frame simply stops the clock.
    EXPECT_FALSE(splash.isAnimating());
    splash.tick();
    EXPECT_EQ(splash.getFrame(), 64);
}

TEST(SplashScreen, TitleFollowsOnTheTickThatReachesTheLastFrame) {
    TestApplication application;
    ScreenManager manager(nullptr, 0, 0);
    for (int i = 0; i < 63; ++i) manager.tick();
    ASSERT_NE(splashOf(manager), nullptr);
    EXPECT_EQ(splashOf(manager)->getFrame(), 63);
    manager.tick();
    EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
    EXPECT_NE(dynamic_cast<TitleScreen*>(manager.children[0]), nullptr);
}

TEST(SplashScreen, ClickOrKeyPressSkipsButNothingElseDoes) {
    TestApplication application;
    for (const int skippingEvent : {EVENT_MOUSE_DOWN, EVENT_KEY_DOWN}) {
        ScreenManager manager(nullptr, 0, 0);
        manager.tick();
        for (const int event : {EVENT_MOUSE_MOVE, EVENT_KEY_UP, EVENT_CHAR}) manager.handleEvent(event);
        ASSERT_NE(splashOf(manager), nullptr);
        EXPECT_EQ(manager.getFrame(), SCREEN_SPLASH);

        manager.handleEvent(skippingEvent);
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
        EXPECT_NE(dynamic_cast<TitleScreen*>(manager.children[0]), nullptr);
        // The splash is gone: further ticks reach the title only.
        manager.tick();
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
    }
}

TEST(SplashScreen, DrawsBlackBehindTheLogo) {
    TestApplication application(32);
    application.app().fillRect(0, 0, 800, 600, 0xFFFFFF);
    SplashScreen splash(nullptr, 0, 0, 800, 600);
    ASSERT_TRUE(splash.draw());
    EXPECT_EQ(application.backBuffer().pixelAt(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(application.backBuffer().pixelAt(799, 599) & 0xFFFFFF, 0u);
    EXPECT_EQ(application.backBuffer().pixelAt(400, 300) & 0xFFFFFF, 0u) << "the logo starts invisible";
}
