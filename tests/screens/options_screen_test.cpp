// The options panel: hit rectangles, highlight, the sound switch and closing.
#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/options_screen.h"

using namespace screen_test;

namespace {

// The panel sits at (300, 200); the sound button at (48, 58) and OK at (89, 127) inside it.
class OptionsScreenTest : public PanelTest<OptionsScreen> {
protected:
    void SetUp() override {
        theApplication->hasSound = false;  // the panel opens showing the switch as it finds it
        open(300, 200, 200, 200, 0x000022, 0xFF9900, 2);
    }
    int soundFrame() { return panel->children[OptionsScreen::SOUND_BUTTON]->getFrame(); }
    int okFrame() { return panel->children[OptionsScreen::OK_BUTTON]->getFrame(); }
};

}  // namespace

TEST_F(OptionsScreenTest, ButtonsAreHalfOpenTheSoundSwitchTogglesAndOnlyOkCloses) {
    const int hits[][3] = {{48, 58, OptionsScreen::SOUND_BUTTON}, {151, 74, OptionsScreen::SOUND_BUTTON}, {152, 58, -1},
                           {48, 75, -1}, {89, 127, OptionsScreen::OK_BUTTON}, {111, 127, -1}};  // inside the panel
    for (const auto& [x, y, button] : hits) EXPECT_EQ(panel->buttonAt(300 + x, 200 + y), button) << x << "," << y;

    EXPECT_EQ(soundFrame(), 2);
    send(*panel, EVENT_MOUSE_MOVE, 360, 260);
    EXPECT_EQ(soundFrame(), 3);
    send(*panel, EVENT_MOUSE_DOWN, 360, 260);
    EXPECT_EQ(std::make_pair(theApplication->hasSound, soundFrame()), std::make_pair(true, 0));
    send(*panel, EVENT_MOUSE_DOWN, 360, 260, BUTTON_RIGHT);
    EXPECT_EQ(std::make_pair(theApplication->hasSound, soundFrame()), std::make_pair(false, 2));
    send(*panel, EVENT_MOUSE_MOVE, 395, 330);
    EXPECT_EQ(std::make_pair(soundFrame(), okFrame()), std::make_pair(2, 1));

    send(*panel, EVENT_MOUSE_DOWN, 310, 210);
    pressKeys(*panel);
    EXPECT_EQ(parent.child(), panel);
    send(*panel, EVENT_MOUSE_DOWN, 395, 330, BUTTON_MIDDLE);
    EXPECT_EQ(parent.child(), nullptr);
    EXPECT_EQ(parent.codes, std::vector<int>{0});
}
