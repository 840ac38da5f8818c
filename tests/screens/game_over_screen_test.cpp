// The end-of-game panel: its two layouts, the OK rectangle, name entry and what it stores.
#include <gtest/gtest.h>

#include "display/text_field.h"
#include "screen_test_support.h"
#include "screens/game_over_screen.h"
#include "support/test_application.h"

using namespace screen_test;

namespace {

constexpr int PANEL_X = 200;
constexpr int PANEL_Y = 220;

class GameOverScreenTest : public ::testing::Test {
protected:
    void SetUp() override { clearStore(); }
    GameOverScreen& open(const int& score) {
        auto* panel = new GameOverScreen(&parent, PANEL_X, PANEL_Y, 400, 260, 0x000022, 0xFF9900, 2, score);
        parent.adopt(panel);
        return *panel;
    }
    void pressPanel(GameOverScreen& panel, const int& x, const int& y) { pressAt(panel, PANEL_X + x, PANEL_Y + y); }

    TestApplication application;
    ProbeParent parent;
};

void expectAt(Sprite* node, int x, int y) {
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getX(), x);
    EXPECT_EQ(node->getY(), y);
}

}  // namespace

TEST_F(GameOverScreenTest, QualifyingScoreOffersTheNameField) {
    GameOverScreen& panel = open(4001);
    ASSERT_TRUE(panel.isQualified());
    ASSERT_EQ(panel.childCount, 4);
    expectAt(panel.children[0], 189, 220);
    expectAt(panel.children[1], 159, 40);
    expectAt(panel.children[2], 68, 72);
    expectAt(panel.children[3], 50, 156);
    EXPECT_EQ(panel.children[3], panel.getNameField());
    EXPECT_EQ(panel.children[3]->getWidth(), 300);
    EXPECT_EQ(panel.children[3]->getHeight(), 16);
    EXPECT_EQ(panel.getNameField()->capacity, 256);
}

TEST_F(GameOverScreenTest, ScoreEqualToTheTenthShowsTheTipAndStoresNothing) {
    GameOverScreen& panel = open(4000);
    ASSERT_FALSE(panel.isQualified());
    ASSERT_EQ(panel.childCount, 3);
    EXPECT_EQ(panel.getNameField(), nullptr);
    expectAt(panel.children[0], 189, 189);
    expectAt(panel.children[1], 159, 59);
    expectAt(panel.children[2], 29, 115);

    pressKeys(panel);
    typeText(panel, "Bob");
    pressPanel(panel, 200, 190);
    ASSERT_EQ(parent.codes.size(), 1u);
    EXPECT_EQ(parent.codes[0], GameOverScreen::DONE_CODE);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(storedName(9), "Pimla");
    EXPECT_EQ(storedScore(9), 4000u);
    EXPECT_EQ(storedScore(8), 6000u);
}

TEST_F(GameOverScreenTest, OkRectangleIsHalfOpen) {
    GameOverScreen& panel = open(10);
    moveTo(panel, PANEL_X + 210, PANEL_Y + 200);
    EXPECT_EQ(panel.children[0]->getFrame(), 1);
    moveTo(panel, PANEL_X + 211, PANEL_Y + 200);
    EXPECT_EQ(panel.children[0]->getFrame(), 0);
    pressPanel(panel, 211, 190);
    pressPanel(panel, 200, 189 + 12);
    EXPECT_EQ(parent.child(), &panel);
    EXPECT_TRUE(parent.codes.empty());
    pressPanel(panel, 210, 189);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(parent.codes.size(), 1u);
}

TEST_F(GameOverScreenTest, TypedNameEntersTheTableOnOk) {
    GameOverScreen& panel = open(50000);
    ASSERT_TRUE(panel.isQualified());
    typeText(panel, "Ann");
    theApplication->keyCode = KEY_BACKSPACE;
    panel.handleEvent(EVENT_KEY_DOWN);
    typeText(panel, "y");
    pressPanel(panel, 195, 225);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(storedName(5), "Roven");
    EXPECT_EQ(storedName(6), "Any");
    EXPECT_EQ(storedScore(6), 50000u);
    EXPECT_EQ(storedScore(7), 10000u);
}

TEST_F(GameOverScreenTest, NoNameTypedStoresAnEmptyName) {
    GameOverScreen& panel = open(4001);
    pressPanel(panel, 189, 231);
    EXPECT_EQ(parent.codes.size(), 1u);
    EXPECT_EQ(storedName(9), "");
    EXPECT_EQ(storedScore(9), 4001u);
    EXPECT_EQ(storedScore(8), 6000u);
}

TEST_F(GameOverScreenTest, ScoreAboveTheSignedRangeIsTakenUnsigned) {
    GameOverScreen& panel = open(static_cast<int>(4000000000u));
    ASSERT_TRUE(panel.isQualified());
    pressPanel(panel, 190, 221);
    EXPECT_EQ(storedScore(0), 4000000000u);
}
