// The title menu: button rectangles, highlight, actions, and the modal panel slot.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/high_scores_screen.h"
#include "screens/title_screen.h"

using namespace screen_test;

namespace {

class TitleScreenTest : public PanelTest<TitleScreen> {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        open(0, 0);
        title = panel;
    }
    // The slots of the highlighted buttons.
    std::vector<int> highlighted() const {
        std::vector<int> slots;
        for (int i = TitleScreen::START_BUTTON; i <= TitleScreen::EXIT_BUTTON; ++i)
            if (title->children[i]->getFrame() == 1) slots.push_back(i);
        return slots;
    }
    Sprite* opened() const { return title->children[TitleScreen::PANEL_SLOT]; }
    TitleScreen* title = nullptr;
};

}  // namespace

TEST_F(TitleScreenTest, ButtonRectanglesAreHalfOpenAndOneIsHighlighted) {
    const int hits[][3] = {{440, 253, TitleScreen::START_BUTTON}, {358, 216, TitleScreen::START_BUTTON},
                           {441, 253, -1}, {440, 254, -1}, {357, 216, -1},
                           {349, 293, TitleScreen::HIGH_SCORES_BUTTON}, {421, 477, TitleScreen::EXIT_BUTTON}};
    for (const auto& [x, y, button] : hits) EXPECT_EQ(title->buttonAt(x, y), button) << x << "," << y;
    send(*title, EVENT_MOUSE_MOVE, 400, 460);
    EXPECT_EQ(highlighted(), std::vector<int>{TitleScreen::EXIT_BUTTON});
}

TEST_F(TitleScreenTest, AnOpenPanelTakesEveryEventUntilItReportsDone) {
    send(*title, EVENT_MOUSE_MOVE, 400, 300);
    send(*title, EVENT_MOUSE_DOWN, 400, 300, BUTTON_RIGHT);
    Sprite* scores = opened();
    ASSERT_NE(dynamic_cast<HighScoresScreen*>(scores), nullptr);

    // Where Start is drawn, the press goes to the panel, not to the menu.
    send(*title, EVENT_MOUSE_MOVE, 400, 230);
    send(*title, EVENT_MOUSE_DOWN, 400, 230);
    EXPECT_EQ(parent.nextFrameCalls, 0);
    EXPECT_EQ(highlighted(), std::vector<int>{TitleScreen::HIGH_SCORES_BUTTON});

    // A report from another node, or with another code, leaves the panel open.
    Sprite stranger(title, 0, 0, nullptr);
    title->onChildDone(&stranger, 0);
    title->onChildDone(scores, 3);
    EXPECT_EQ(opened(), scores);

    // OK closes it; the opener keeps its highlight until the mouse moves.
    send(*title, EVENT_MOUSE_DOWN, 200 + 275, 110 + 330, BUTTON_MIDDLE);
    EXPECT_EQ(opened(), nullptr);
    EXPECT_EQ(highlighted(), std::vector<int>{TitleScreen::HIGH_SCORES_BUTTON});
}
