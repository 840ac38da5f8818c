// The high scores panel: the list it loads, its buttons, reset and closing.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/high_scores_screen.h"
#include "support/test_application.h"

using namespace screen_test;

namespace {

class HighScoresScreenTest : public ::testing::Test {
protected:
    void SetUp() override { clearStore(); }
    HighScoresScreen& open() {
        auto* panel = new HighScoresScreen(&parent, 200, 110, 400, 380, 0x000022, 0xFF9900, 2);
        parent.adopt(panel);
        return *panel;
    }
    static Sprite& ok(HighScoresScreen& panel) { return *panel.children[HighScoresScreen::OK_BUTTON]; }
    static Sprite& reset(HighScoresScreen& panel) { return *panel.children[HighScoresScreen::RESET_BUTTON]; }

    TestApplication application;
    ProbeParent parent;
};

}  // namespace

TEST_F(HighScoresScreenTest, LayoutAndHitRectangles) {
    HighScoresScreen& panel = open();
    EXPECT_EQ(ok(panel).getX(), 270);
    EXPECT_EQ(ok(panel).getY(), 328);
    EXPECT_EQ(reset(panel).getX(), 130);
    EXPECT_EQ(reset(panel).getY(), 328);
    EXPECT_EQ(panel.children[2]->getX(), 40);
    EXPECT_EQ(panel.children[3]->getX(), 318);
    EXPECT_EQ(panel.buttonAt(270, 328), HighScoresScreen::OK_BUTTON);
    EXPECT_EQ(panel.buttonAt(291, 339), HighScoresScreen::OK_BUTTON);
    EXPECT_EQ(panel.buttonAt(292, 339), -1);
    EXPECT_EQ(panel.buttonAt(291, 340), -1);
    EXPECT_EQ(panel.buttonAt(225, 330), HighScoresScreen::RESET_BUTTON);
    EXPECT_EQ(panel.buttonAt(226, 330), -1);
}

TEST_F(HighScoresScreenTest, AFreshStoreShowsAndStoresTheAnonymousList) {
    HighScoresScreen& panel = open();
    EXPECT_STREQ(panel.getTable().getName(0), "Anonymous");
    EXPECT_EQ(panel.getTable().getScore(9), 4000u);
    EXPECT_EQ(storedName(0), "Anonymous");
    EXPECT_EQ(storedScore(9), 4000u);
}

TEST_F(HighScoresScreenTest, ShowsStoredRowsAsTheyAre) {
    storeRow(2, "", 123);
    storeRow(3, "Big", 4000000000u);
    HighScoresScreen& panel = open();
    EXPECT_STREQ(panel.getTable().getName(2), "");
    EXPECT_EQ(panel.getTable().getScore(2), 123u);
    EXPECT_EQ(panel.getTable().getScore(3), 4000000000u);
    EXPECT_STREQ(panel.getTable().getName(4), "Anonymous");
}

TEST_F(HighScoresScreenTest, ResetKeepsThePanelOpenAndRewritesTheStore) {
    storeRow(0, "Winner", 9000000);
    HighScoresScreen& panel = open();
    EXPECT_STREQ(panel.getTable().getName(0), "Winner");
    for (int press = 0; press < 2; ++press) {
        pressAt(panel, 200 + 140, 110 + 330);
        EXPECT_EQ(parent.child(), &panel);
        EXPECT_STREQ(panel.getTable().getName(0), "Anonymous");
        EXPECT_EQ(panel.getTable().getScore(0), 1000000u);
        EXPECT_EQ(storedName(0), "Anonymous");
        EXPECT_EQ(storedScore(0), 1000000u);
    }
    EXPECT_TRUE(parent.codes.empty());
}

TEST_F(HighScoresScreenTest, HighlightKeysAndClosing) {
    HighScoresScreen& panel = open();
    moveTo(panel, 200 + 275, 110 + 330);
    EXPECT_EQ(ok(panel).getFrame(), 1);
    EXPECT_EQ(reset(panel).getFrame(), 0);
    moveTo(panel, 200 + 140, 110 + 330);
    EXPECT_EQ(ok(panel).getFrame(), 0);
    EXPECT_EQ(reset(panel).getFrame(), 1);
    moveTo(panel, 200 + 10, 110 + 10);
    EXPECT_EQ(reset(panel).getFrame(), 0);

    pressKeys(panel);
    pressAt(panel, 200 + 10, 110 + 10);
    EXPECT_EQ(parent.child(), &panel);
    pressAt(panel, 200 + 275, 110 + 330, BUTTON_RIGHT);
    EXPECT_EQ(parent.child(), nullptr);
    ASSERT_EQ(parent.codes.size(), 1u);
    EXPECT_EQ(parent.codes[0], 0);
}
