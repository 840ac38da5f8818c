// Full screen and window through real SDL events, the event pump and the
// window procedure: the shell's shortcut keys, a switch in the middle of a
// move and of a half-typed name, and the pause asked on focus loss.
#include <gtest/gtest.h>

#include <SDL.h>

#include <utility>
#include <vector>

#include "app/application.h"
#include "display/text_field.h"
#include "game/game_fixture.h"
#include "screens/game_over_screen.h"
#include "sdl_input.h"

namespace {

using namespace sdl_input;

void loseFocus() {
    SDL_Event focus = event(SDL_WINDOWEVENT);
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    push(focus);
}

// Shows the test's hidden window: SDL applies full screen only to a shown one.
void showWindow() {
    constexpr int showNormal = 1;
    theApplication->window->show(showNormal);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

class RecordingRoot : public Sprite {
public:
    RecordingRoot() : Sprite(nullptr, 0, 0, nullptr) {}
    void handleEvent(const int& event) override { seen.emplace_back(event, theApplication->keyCode); }
    std::vector<std::pair<int, int>> seen;
};

}  // namespace

TEST(WindowMode, ShortcutsAreTheShellsAndFocusLossPausesInBothModes) {
    TestApplication test;
    Application& app = test.app();
    showWindow();
    RecordingRoot root;
    theRootNode = &root;

    key(SDLK_F11, true);
    key(SDLK_F11, true);  // held: a repeat does not switch back
    key(SDLK_F11, false);
    key(SDLK_a);  // the repeat of any other key is a press again
    tap(SDLK_a);
    loseFocus();  // not every window manager minimises a full-screen window
    EXPECT_TRUE(app.fullScreen);
    key(SDLK_RETURN, true, KMOD_LALT);
    key(SDLK_RETURN, false);  // Alt let go first: still the shell's
    loseFocus();
    tap(SDLK_RETURN);
    tap(SDLK_q);
    EXPECT_FALSE(app.fullScreen);
    const std::vector<std::pair<int, int>> expected{
        {EVENT_KEY_DOWN, 'A'}, {EVENT_KEY_DOWN, 'A'}, {EVENT_KEY_UP, 'A'}, {EVENT_PAUSE, 'A'}, {EVENT_PAUSE, 'A'},
        {EVENT_KEY_DOWN, KEY_RETURN}, {EVENT_CHAR, KEY_RETURN}, {EVENT_KEY_UP, KEY_RETURN},
        {EVENT_KEY_DOWN, 'Q'}, {EVENT_KEY_UP, 'Q'}};
    EXPECT_EQ(root.seen, expected);

    // Ctrl+Q ends the program as the close box does.
    EXPECT_FALSE(tap(SDLK_q, KMOD_LCTRL));
    EXPECT_TRUE(app.window->isDestroyed());
    EXPECT_EQ(root.seen.size(), expected.size());
    EXPECT_TRUE(app.present()) << "presenting into the closed window is harmless";
    theRootNode = nullptr;
}

class SwitchDuringPlay : public GameFixture {
protected:
    void SetUp() override {
        showWindow();
        theRootNode = screen;
    }
    void TearDown() override { theRootNode = nullptr; }
};

TEST_F(SwitchDuringPlay, AMoveRunsOnUnchangedAndAHalfTypedNameSurvivesBothSwitches) {
    // Turning group (1, 0) anticlockwise completes the 2 x 2 at (0, 0).
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    Block* const travelling = at(2, 0);
    mouse(260, 140, SDL_BUTTON_LEFT);
    screen->tick();
    platform::Surface* const backBuffer = theApplication->backBuffer;

    tap(SDLK_F11);
    EXPECT_TRUE(theApplication->fullScreen);
    EXPECT_EQ(theApplication->backBuffer, backBuffer);
    EXPECT_EQ(values(at(1, 0) == travelling, travelling->getX(), screen->moving, screen->timeLeft),
              values(1, screen->cellX(2) - 20, 1, 994));
    for (int tick = 0; tick < 3; ++tick) screen->tick();
    EXPECT_EQ(values(screen->moving, screen->removing, screen->matchCount, screen->score, screen->timeLeft),
              values(0, 1, 1, 2, 992 + 50 - 1));
    EXPECT_TRUE(theRootNode->draw() && theApplication->present());

    while (screen->moving || screen->removing) screen->tick();
    screen->score = 2000000;
    screen->timeLeft = 1;
    screen->tick();
    auto* const panel = dynamic_cast<GameOverScreen*>(screen->panel());
    ASSERT_NE(panel, nullptr);
    type("Ab");
    tap(SDLK_RETURN, KMOD_LALT);
    tap(SDLK_F11);
    type("c");
    EXPECT_TRUE(theApplication->fullScreen);
    ASSERT_EQ(screen->panel(), panel) << "Alt+Enter pressed OK";
    char name[16] = "";
    panel->getNameField()->getText(name, sizeof name);
    EXPECT_STREQ(name, "Abc");
}
