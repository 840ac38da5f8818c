// The options panel: layout, hit rectangles, highlight, the sound switch and closing.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/options_screen.h"
#include "support/test_application.h"

using namespace screen_test;

namespace {

class OptionsScreenTest : public ::testing::Test {
protected:
    OptionsScreen& open() {
        auto* panel = new OptionsScreen(&parent, 300, 200, 200, 200, 0x000022, 0xFF9900, 2);
        parent.adopt(panel);
        return *panel;
    }
    static Sprite& sound(OptionsScreen& panel) { return *panel.children[OptionsScreen::SOUND_BUTTON]; }
    static Sprite& ok(OptionsScreen& panel) { return *panel.children[OptionsScreen::OK_BUTTON]; }

    TestApplication application;
    ProbeParent parent;
};

}  // namespace

TEST_F(OptionsScreenTest, ButtonsArePlacedByTheirFrameSizesWithHalfOpenRectangles) {
    OptionsScreen& panel = open();
    EXPECT_EQ(sound(panel).getX(), 48);
    EXPECT_EQ(sound(panel).getY(), 58);
    EXPECT_EQ(ok(panel).getX(), 89);
    EXPECT_EQ(ok(panel).getY(), 127);
    EXPECT_EQ(panel.buttonAt(300 + 48, 200 + 58), OptionsScreen::SOUND_BUTTON);
    EXPECT_EQ(panel.buttonAt(300 + 151, 200 + 74), OptionsScreen::SOUND_BUTTON);
    EXPECT_EQ(panel.buttonAt(300 + 152, 200 + 58), -1);
    EXPECT_EQ(panel.buttonAt(300 + 48, 200 + 75), -1);
    EXPECT_EQ(panel.buttonAt(300 + 47, 200 + 58), -1);
    EXPECT_EQ(panel.buttonAt(300 + 89, 200 + 127), OptionsScreen::OK_BUTTON);
    EXPECT_EQ(panel.buttonAt(300 + 111, 200 + 127), -1);
}

TEST_F(OptionsScreenTest, SoundSwitchShowsAndTogglesTheSetting) {
    theApplication->hasSound = false;
    OptionsScreen& offPanel = open();
    EXPECT_EQ(sound(offPanel).getFrame(), 2);
    parent.adopt(nullptr);
    delete &offPanel;

    theApplication->hasSound = true;
    OptionsScreen& panel = open();
    EXPECT_EQ(sound(panel).getFrame(), 0);
    moveTo(panel, 360, 260);
    EXPECT_EQ(sound(panel).getFrame(), 1);
    pressAt(panel, 360, 260);
    EXPECT_FALSE(theApplication->hasSound);
    EXPECT_EQ(sound(panel).getFrame(), 2);
    moveTo(panel, 361, 260);
    EXPECT_EQ(sound(panel).getFrame(), 3);
    pressAt(panel, 361, 260, BUTTON_RIGHT);
    EXPECT_TRUE(theApplication->hasSound);
    EXPECT_EQ(sound(panel).getFrame(), 0);
    EXPECT_EQ(parent.child(), &panel);
}

TEST_F(OptionsScreenTest, HighlightFollowsTheMouse) {
    theApplication->hasSound = false;
    OptionsScreen& panel = open();
    moveTo(panel, 360, 260);
    EXPECT_EQ(sound(panel).getFrame(), 3);
    EXPECT_EQ(ok(panel).getFrame(), 0);
    moveTo(panel, 395, 330);
    EXPECT_EQ(sound(panel).getFrame(), 2);
    EXPECT_EQ(ok(panel).getFrame(), 1);
    moveTo(panel, 395, 330);
    EXPECT_EQ(ok(panel).getFrame(), 1);
    moveTo(panel, 310, 210);
    EXPECT_EQ(sound(panel).getFrame(), 2);
    EXPECT_EQ(ok(panel).getFrame(), 0);
}

TEST_F(OptionsScreenTest, OnlyOkClosesThePanel) {
    theApplication->hasSound = true;
    OptionsScreen& panel = open();
    pressAt(panel, 310, 210);
    pressKeys(panel);
    EXPECT_EQ(parent.child(), &panel);
    EXPECT_TRUE(parent.codes.empty());
    EXPECT_TRUE(theApplication->hasSound);

    pressAt(panel, 395, 330, BUTTON_MIDDLE);
    EXPECT_EQ(parent.child(), nullptr);
    ASSERT_EQ(parent.codes.size(), 1u);
    EXPECT_EQ(parent.codes[0], 0);
}
