// The high scores panel: the list it loads, reset, its buttons and closing.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/high_scores_screen.h"

using namespace screen_test;

namespace {

// The panel sits at (200, 110); OK at (270, 328) and Reset scores at (130, 328) inside it.
class HighScoresScreenTest : public PanelTest<HighScoresScreen> {
protected:
    void openPanel() { open(200, 110, 400, 380, 0x000022, 0xFF9900, 2); }
};

}  // namespace

TEST_F(HighScoresScreenTest, ShowsTheStoredListOrStoresTheAnonymousOne) {
    storeRow(2, "", 123);
    storeRow(3, "Big", 4000000000u);
    openPanel();
    const HighScoreTable& table = panel->getTable();
    EXPECT_STREQ(table.getName(0), "Anonymous");
    EXPECT_EQ(storedRow(9), std::make_pair(std::string("Anonymous"), 4000u));
    EXPECT_EQ(std::make_pair(std::string(table.getName(2)), table.getScore(2)), std::make_pair(std::string(), 123u));
    EXPECT_EQ(table.getScore(3), 4000000000u);
}

TEST_F(HighScoresScreenTest, ResetTwiceKeepsThePanelOpenButtonsHighlightAndOnlyOkCloses) {
    storeRow(0, "Winner", 9000000);
    openPanel();
    EXPECT_STREQ(panel->getTable().getName(0), "Winner");
    for (int press = 0; press < 2; ++press) {
        send(*panel, EVENT_MOUSE_DOWN, 200 + 225, 110 + 339);
        EXPECT_EQ(parent.child(), panel);
        EXPECT_STREQ(panel->getTable().getName(0), "Anonymous");
        for (int row = 0; row < 10; row += 9)
            EXPECT_EQ(storedRow(row), std::make_pair(std::string("Anonymous"), row == 0 ? 1000000u : 4000u));
    }

    const int hits[][3] = {{291, 339, HighScoresScreen::OK_BUTTON}, {292, 339, -1}, {291, 340, -1}, {226, 330, -1}};
    for (const auto& [x, y, button] : hits) EXPECT_EQ(panel->buttonAt(x, y), button) << x << "," << y;
    const auto frames = [&] {
        return std::make_pair(panel->children[HighScoresScreen::RESET_BUTTON]->getFrame(),
                              panel->children[HighScoresScreen::OK_BUTTON]->getFrame());
    };
    send(*panel, EVENT_MOUSE_MOVE, 200 + 140, 110 + 330);
    EXPECT_EQ(frames(), std::make_pair(1, 0));
    send(*panel, EVENT_MOUSE_MOVE, 200 + 275, 110 + 330);
    EXPECT_EQ(frames(), std::make_pair(0, 1));

    pressKeys(*panel);
    send(*panel, EVENT_MOUSE_DOWN, 200 + 10, 110 + 10);
    EXPECT_EQ(parent.child(), panel);
    send(*panel, EVENT_MOUSE_DOWN, 200 + 270, 110 + 328, BUTTON_RIGHT);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(parent.codes, std::vector<int>{0});
}
