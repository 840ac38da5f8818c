// The root's screen switches and event forwarding; switches delete the
// requesting screen inside its own call, which AddressSanitizer watches.
#include <gtest/gtest.h>

#include <vector>

#include "display/screen_manager.h"
#include "game/game_screen.h"
#include "screens/title_screen.h"
#include "support/test_application.h"

namespace {

// A screen that records the events it gets, reports its deletion and can ask
// for the next screen from its own tick.
class ProbeScreen : public Sprite {
public:
    ProbeScreen(Sprite* parent, bool* deleted) : Sprite(parent, 0, 0, nullptr), deleted(deleted) {}
    ~ProbeScreen() override { *deleted = true; }
    void handleEvent(const int& event) override { events.push_back(event); }
    void tick() override {
        if (leaveOnTick) parent->nextFrame();
    }
    bool* deleted;
    std::vector<int> events;
    bool leaveOnTick = false;
};

// Swaps the manager's current screen for a probe.
ProbeScreen* installProbe(ScreenManager& manager, bool* deleted) {
    delete manager.children[0];
    auto* probe = new ProbeScreen(&manager, deleted);
    manager.children[0] = probe;
    return probe;
}

}  // namespace

TEST(ScreenManager, BuildsAFreshScreenOnEachSwitchButNotForTheCurrentOne) {
    TestApplication application;
    ScreenManager manager(nullptr, 0, 0);
    manager.nextFrame();
    bool deleted = false;
    ProbeScreen* title = installProbe(manager, &deleted);
    manager.setFrame(SCREEN_TITLE);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(manager.children[0], title);
    manager.setFrame(7);  // past the end: the game
    EXPECT_TRUE(deleted);
    EXPECT_EQ(manager.getFrame(), SCREEN_GAME);
    EXPECT_NE(dynamic_cast<GameScreen*>(manager.children[0]), nullptr);

    deleted = false;
    installProbe(manager, &deleted);
    manager.nextFrame();  // nothing lies beyond the game
    EXPECT_FALSE(deleted);
    manager.setFrame(SCREEN_TITLE);
    EXPECT_TRUE(deleted);
    EXPECT_NE(dynamic_cast<TitleScreen*>(manager.children[0]), nullptr);
}

TEST(ScreenManager, PassesOnlyTheFiveEventCodesAndReplacesAScreenLeavingFromItsTick) {
    TestApplication application;
    ScreenManager manager(nullptr, 0, 0);
    manager.setFrame(SCREEN_TITLE);
    bool deleted = false;
    ProbeScreen* probe = installProbe(manager, &deleted);
    for (const int event : {-1, 0, 1, 2, 3, 4, 5, 6, 256}) manager.handleEvent(event);
    EXPECT_EQ(probe->events, (std::vector<int>{1, 2, 3, 4, 5}));
    probe->leaveOnTick = true;
    manager.tick();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(manager.getFrame(), SCREEN_GAME);
    EXPECT_NE(dynamic_cast<GameScreen*>(manager.children[0]), nullptr);

    // An empty slot takes events and ticks without harm.
    delete manager.children[0];
    manager.children[0] = nullptr;
    manager.handleEvent(EVENT_MOUSE_DOWN);
    manager.tick();
    EXPECT_TRUE(manager.draw());
}
