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
    EXPECT_EQ(std::vector<int>({splash.logo->getX(), splash.logo->getY()}), std::vector<int>({260, 255}));

    std::vector<int> alphas{splash.logo->getAlpha()};
    for (int f = 1; f <= 64; ++f) {
        splash.tick();
        ASSERT_EQ(splash.getFrame(), f);
        alphas.push_back(splash.logo->getAlpha());
    }
    const std::vector<int> fadeIn{0, 8, 17, 25, 34, 42, 51, 59, 68, 76, 85, 93, 102, 110, 119};
    const std::vector<int> fadeOut{119, 102, 85, 68, 51, 34, 17, 0};
    EXPECT_EQ(std::vector<int>(alphas.begin(), alphas.begin() + 15), fadeIn);
    EXPECT_EQ(std::vector<int>(alphas.begin() + 15, alphas.begin() + 52), std::vector<int>(37, 128));
    EXPECT_EQ(std::vector<int>(alphas.begin() + 52, alphas.begin() + 60), fadeOut);
    EXPECT_EQ(std::vector<int>(alphas.begin() + 60, alphas.end()), std::vector<int>(5, 0));

    // Without a manager above it the last frame simply stops the clock.
    EXPECT_FALSE(splash.isAnimating());
    splash.tick();
    EXPECT_EQ(splash.getFrame(), 64);
}

TEST(SplashScreen, TitleFollowsTheLastFrameOrAClickOrKeyPressButNothingElse) {
    TestApplication application;
    for (const int skippingEvent : {0, EVENT_MOUSE_DOWN, EVENT_KEY_DOWN}) {
        ScreenManager manager(nullptr, 0, 0);
        for (const int event : {EVENT_MOUSE_MOVE, EVENT_KEY_UP, EVENT_CHAR}) manager.handleEvent(event);
        for (int i = 0; i < 63; ++i) manager.tick();
        ASSERT_NE(splashOf(manager), nullptr);
        EXPECT_EQ(splashOf(manager)->getFrame(), 63);
        if (skippingEvent == 0) manager.tick();  // the tick that reaches the last frame
        else manager.handleEvent(skippingEvent);
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
        EXPECT_NE(dynamic_cast<TitleScreen*>(manager.children[0]), nullptr);
        manager.tick();  // the splash is gone: further ticks reach the title only
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE);
    }
}

TEST(SplashScreen, DrawsBlackBehindTheLogo) {
    TestApplication application(32);
    application.app().fillRect(0, 0, 800, 600, 0xFFFFFF);
    SplashScreen splash(nullptr, 0, 0, 800, 600);
    ASSERT_TRUE(splash.draw());
    for (const auto& [x, y] : {std::pair(0, 0), std::pair(799, 599), std::pair(400, 300) /* the logo starts invisible */})
        EXPECT_EQ(application.backBuffer().pixelAt(x, y) & 0xFFFFFF, 0u) << x;
}
