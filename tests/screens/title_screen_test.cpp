// The title menu: button rectangles, highlight, actions, and the modal panel slot.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/high_scores_screen.h"
#include "screens/options_screen.h"
#include "screens/title_screen.h"
#include "support/test_application.h"

using namespace screen_test;

namespace {

class TitleScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearStore();
        title = new TitleScreen(&parent, 0, 0);
        parent.adopt(title);
    }
    int highlighted() const {
        int count = 0;
        for (int i = TitleScreen::START_BUTTON; i <= TitleScreen::EXIT_BUTTON; ++i) count += title->children[i]->getFrame();
        return count;
    }
    Sprite* panel() const { return title->children[TitleScreen::PANEL_SLOT]; }

    TestApplication application;
    ProbeParent parent;
    TitleScreen* title = nullptr;
};

}  // namespace

TEST_F(TitleScreenTest, ButtonsAreCentredWithHalfOpenRectangles) {
    const int expected[5][2] = {{358, 216}, {349, 293}, {363, 324}, {378, 355}, {378, 450}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(title->children[i + 1]->getX(), expected[i][0]) << i;
        EXPECT_EQ(title->children[i + 1]->getY(), expected[i][1]) << i;
    }
    EXPECT_EQ(title->childCount, 7);
    EXPECT_EQ(panel(), nullptr);
    EXPECT_EQ(title->buttonAt(440, 253), TitleScreen::START_BUTTON);
    EXPECT_EQ(title->buttonAt(358, 216), TitleScreen::START_BUTTON);
    EXPECT_EQ(title->buttonAt(441, 253), -1);
    EXPECT_EQ(title->buttonAt(440, 254), -1);
    EXPECT_EQ(title->buttonAt(357, 216), -1);
    EXPECT_EQ(title->buttonAt(400, 450), TitleScreen::EXIT_BUTTON);
    EXPECT_EQ(title->buttonAt(10, 10), -1);
}

TEST_F(TitleScreenTest, ExactlyTheButtonUnderTheMouseIsHighlighted) {
    moveTo(*title, 400, 230);
    EXPECT_EQ(title->children[TitleScreen::START_BUTTON]->getFrame(), 1);
    moveTo(*title, 400, 460);
    EXPECT_EQ(title->children[TitleScreen::START_BUTTON]->getFrame(), 0);
    EXPECT_EQ(title->children[TitleScreen::EXIT_BUTTON]->getFrame(), 1);
    EXPECT_EQ(highlighted(), 1);
    moveTo(*title, 100, 100);
    EXPECT_EQ(highlighted(), 0);
    pressKeys(*title);
    EXPECT_EQ(panel(), nullptr);
    EXPECT_EQ(parent.nextFrameCalls, 0);
}

TEST_F(TitleScreenTest, AnOpenPanelTakesEveryEvent) {
    moveTo(*title, 400, 300);
    pressAt(*title, 400, 300, BUTTON_RIGHT);
    auto* scores = dynamic_cast<HighScoresScreen*>(panel());
    ASSERT_NE(scores, nullptr);
    EXPECT_EQ(scores->getX(), 200);
    EXPECT_EQ(scores->getY(), 110);
    EXPECT_EQ(scores->getWidth(), 400);
    EXPECT_EQ(scores->getHeight(), 380);

    // Where Start is drawn, the press goes to the panel, not to the menu.
    moveTo(*title, 400, 230);
    pressAt(*title, 400, 230);
    EXPECT_EQ(parent.nextFrameCalls, 0);
    EXPECT_EQ(panel(), scores);
    EXPECT_EQ(title->children[TitleScreen::START_BUTTON]->getFrame(), 0);
    EXPECT_EQ(title->children[TitleScreen::HIGH_SCORES_BUTTON]->getFrame(), 1);

    // A report from anything but the open panel, or with another code, leaves it open.
    Sprite stranger(title, 0, 0, nullptr);
    title->onChildDone(&stranger, 0);
    title->onChildDone(panel(), 3);
    EXPECT_EQ(panel(), scores);

    // OK at panel (270, 328) closes it; the opener keeps its highlight until the mouse moves.
    pressAt(*title, 200 + 275, 110 + 330, BUTTON_MIDDLE);
    EXPECT_EQ(panel(), nullptr);
    EXPECT_EQ(title->children[TitleScreen::HIGH_SCORES_BUTTON]->getFrame(), 1);
    moveTo(*title, 100, 100);
    EXPECT_EQ(highlighted(), 0);
}

TEST_F(TitleScreenTest, OptionsOpensTheSoundPanel) {
    pressAt(*title, 380, 330);
    auto* options = dynamic_cast<OptionsScreen*>(panel());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->getX(), 300);
    EXPECT_EQ(options->getY(), 200);
    const bool before = theApplication->hasSound;
    pressAt(*title, 360, 260);
    EXPECT_NE(theApplication->hasSound, before);
    pressAt(*title, 395, 330);
    EXPECT_EQ(panel(), nullptr);
}

TEST_F(TitleScreenTest, StartHandsOverToTheScreenManager) {
    pressAt(*title, 400, 230, BUTTON_MIDDLE);
    EXPECT_EQ(parent.nextFrameCalls, 1);
    EXPECT_EQ(parent.child(), nullptr);
}

TEST_F(TitleScreenTest, ClosingWithAnOpenPanelDeletesIt) {
    pressAt(*title, 400, 300);
    ASSERT_NE(panel(), nullptr);
    parent.adopt(nullptr);
    delete title;
}
