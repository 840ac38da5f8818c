// The options panel: hit rectangles, highlight, the sound switch and closing.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/options_screen.h"
#include "support/test_application.h"

using namespace screen_test;

namespace {

// The panel sits at (300, 200); the sound button at (48, 58) and OK at (89, 127) inside it.
class OptionsScreenTest : public ::testing::Test {
protected:
    OptionsScreen& open() {
        panel = new OptionsScreen(&parent, 300, 200, 200, 200, 0x000022, 0xFF9900, 2);
        parent.adopt(panel);
        return *panel;
    }
    int soundFrame() { return panel->children[OptionsScreen::SOUND_BUTTON]->getFrame(); }
    int okFrame() { return panel->children[OptionsScreen::OK_BUTTON]->getFrame(); }

    TestApplication application;
    ProbeParent parent;
    OptionsScreen* panel = nullptr;
};

}  // namespace

TEST_F(OptionsScreenTest, ButtonRectanglesAreHalfOpen) {
    open();
    EXPECT_EQ(panel->buttonAt(300 + 48, 200 + 58), OptionsScreen::SOUND_BUTTON);
    EXPECT_EQ(panel->buttonAt(300 + 151, 200 + 74), OptionsScreen::SOUND_BUTTON);
    EXPECT_EQ(panel->buttonAt(300 + 152, 200 + 58), -1);
    EXPECT_EQ(panel->buttonAt(300 + 48, 200 + 75), -1);
    EXPECT_EQ(panel->buttonAt(300 + 89, 200 + 127), OptionsScreen::OK_BUTTON);
    EXPECT_EQ(panel->buttonAt(300 + 111, 200 + 127), -1);
}

TEST_F(OptionsScreenTest, SoundSwitchToggledTwiceComesBackAsItWas) {
    theApplication->hasSound = false;
    open();
    EXPECT_EQ(soundFrame(), 2);
    send(*panel, EVENT_MOUSE_MOVE, 360, 260);
    EXPECT_EQ(soundFrame(), 3);
    send(*panel, EVENT_MOUSE_DOWN, 360, 260);
    EXPECT_TRUE(theApplication->hasSound);
    EXPECT_EQ(soundFrame(), 0);
    send(*panel, EVENT_MOUSE_DOWN, 360, 260, BUTTON_RIGHT);
    EXPECT_FALSE(theApplication->hasSound);
    EXPECT_EQ(soundFrame(), 2);

    send(*panel, EVENT_MOUSE_MOVE, 395, 330);
    EXPECT_EQ(soundFrame(), 2);
    EXPECT_EQ(okFrame(), 1);
    send(*panel, EVENT_MOUSE_MOVE, 310, 210);
    EXPECT_EQ(okFrame(), 0);
}

TEST_F(OptionsScreenTest, OnlyOkClosesThePanel) {
    open();
    send(*panel, EVENT_MOUSE_DOWN, 310, 210);
    pressKeys(*panel);
    EXPECT_EQ(parent.child(), panel);
    send(*panel, EVENT_MOUSE_DOWN, 395, 330, BUTTON_MIDDLE);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(parent.codes, std::vector<int>{0});
}
