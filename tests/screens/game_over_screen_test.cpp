// The end-of-game panel: the OK rectangle of its two layouts, name entry and what it stores.
#include <gtest/gtest.h>

#include "display/text_field.h"
#include "screen_test_support.h"
#include "screens/game_over_screen.h"

using namespace screen_test;

namespace {

using Row = std::pair<std::string, uint32_t>;

// The panel sits at (200, 220), 400 x 260, as the game screen places it.
class GameOverScreenTest : public PanelTest<GameOverScreen> {
protected:
    void openWith(int score) { open(200, 220, 400, 260, 0x000022, 0xFF9900, 2, score); }
    void press(int x, int y) { send(*panel, EVENT_MOUSE_DOWN, 200 + x, 220 + y); }
};

}  // namespace

TEST_F(GameOverScreenTest, QualifyingScoreTakesATypedName) {
    openWith(50000);
    EXPECT_EQ(panel->getNameField()->getWidth(), 300);

    typeText(*panel, "Ann");
    theApplication->keyCode = KEY_BACKSPACE;
    panel->handleEvent(EVENT_KEY_DOWN);
    panel->handleEvent(EVENT_KEY_UP);
    typeText(*panel, "y");
    press(195, 225);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(parent.codes, std::vector<int>{GameOverScreen::DONE_CODE});
    EXPECT_EQ(storedRow(5), Row("Roven", 60000u));
    EXPECT_EQ(storedRow(6), Row("Any", 50000u));
}

TEST_F(GameOverScreenTest, ScoreEqualToTheTenthShowsTheTipAndStoresNothing) {
    openWith(4000);
    EXPECT_EQ(panel->getNameField(), nullptr);

    pressKeys(*panel);
    send(*panel, EVENT_MOUSE_MOVE, 200 + 210, 220 + 200);
    EXPECT_EQ(panel->children[GameOverScreen::OK_BUTTON]->getFrame(), 1);
    send(*panel, EVENT_MOUSE_MOVE, 200 + 211, 220 + 200);
    EXPECT_EQ(panel->children[GameOverScreen::OK_BUTTON]->getFrame(), 0);
    press(211, 190);
    press(200, 201);
    EXPECT_EQ(parent.child(), panel);
    press(210, 189);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(storedRow(9), Row("Pimla", 4000u));
}

TEST_F(GameOverScreenTest, EmptyNameAndScoresAboveTheSignedRangeAreStoredAsTheyAre) {
    openWith(4001);
    press(189, 231);
    EXPECT_EQ(storedRow(9), Row("", 4001u));
    openWith(static_cast<int>(4000000000u));
    press(189, 220);
    EXPECT_EQ(storedRow(0), Row("", 4000000000u));
}

TEST_F(GameOverScreenTest, ClosingTheProgramDuringNameEntryStoresTheScoreOnceWithTheNameSoFar) {
    GameOverScreen::storeScoreOfOpenPanel();
    EXPECT_EQ(storedRow(9), Row("?", 0xDEADBEEFu)) << "no panel, nothing stored";
    clearStore();
    openWith(50000);
    typeText(*panel, "Bo");
    GameOverScreen::storeScoreOfOpenPanel();
    GameOverScreen::storeScoreOfOpenPanel();
    EXPECT_EQ(storedRow(6), Row("Bo", 50000u));
    EXPECT_EQ(storedRow(7), Row("Pimla", 10000u)) << "entered once";
    press(195, 225);
    EXPECT_EQ(storedRow(7), Row("Pimla", 10000u)) << "OK after it enters nothing more";

    openWith(4000);
    GameOverScreen::storeScoreOfOpenPanel();
    EXPECT_EQ(storedRow(9), Row("Pimla", 6000u)) << "a tip stores nothing";
}
