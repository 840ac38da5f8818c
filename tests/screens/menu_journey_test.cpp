// One player's way through the menus, driven only through the root node.
#include <gtest/gtest.h>

#include "display/screen_manager.h"
#include "game/game_screen.h"
#include "screen_test_support.h"
#include "screens/game_over_screen.h"
#include "screens/high_scores_screen.h"
#include "screens/title_screen.h"

using namespace screen_test;

TEST(MenuJourney, SplashMenuPanelsGameNameAndBack) {
    TestApplication application;
    clearStore();
    ScreenManager root(nullptr, 0, 0);
    const auto screen = [&root] { return root.children[0]; };
    const auto panelOfTitle = [&] { return screen()->children[TitleScreen::PANEL_SLOT]; };

    theApplication->keyCode = KEY_SPACE;
    root.handleEvent(EVENT_KEY_DOWN);
    ASSERT_NE(dynamic_cast<TitleScreen*>(screen()), nullptr);

    // High scores shown first: the anonymous list is stored; OK closes it.
    send(root, EVENT_MOUSE_DOWN, 400, 300);
    ASSERT_NE(dynamic_cast<HighScoresScreen*>(panelOfTitle()), nullptr);
    send(root, EVENT_MOUSE_DOWN, 200 + 270, 110 + 328);
    EXPECT_EQ(panelOfTitle(), nullptr);

    // A game that runs out of time with a qualifying score.
    send(root, EVENT_MOUSE_DOWN, 400, 230);
    auto* game = dynamic_cast<GameScreen*>(screen());
    ASSERT_NE(game, nullptr);
    game->score = 70000;
    game->timeLeft = 1;
    root.tick();
    auto* gameOver = dynamic_cast<GameOverScreen*>(game->panel());
    ASSERT_NE(gameOver, nullptr);
    ASSERT_TRUE(gameOver->isQualified());
    EXPECT_TRUE(root.draw());
    typeText(root, "Zed");
    send(root, EVENT_MOUSE_DOWN, 200 + 195, 220 + 225);
    ASSERT_NE(dynamic_cast<TitleScreen*>(screen()), nullptr);
    EXPECT_EQ(root.getFrame(), SCREEN_TITLE);

    send(root, EVENT_MOUSE_DOWN, 400, 300);
    auto* scores = dynamic_cast<HighScoresScreen*>(panelOfTitle());
    ASSERT_NE(scores, nullptr);
    EXPECT_STREQ(scores->getTable().getName(4), "Anonymous");
    EXPECT_STREQ(scores->getTable().getName(5), "Zed");
    EXPECT_EQ(scores->getTable().getScore(5), 70000u);
    EXPECT_TRUE(root.draw());
    send(root, EVENT_MOUSE_DOWN, 200 + 270, 110 + 328);
    EXPECT_EQ(panelOfTitle(), nullptr);
}
