// The root's screen switches and event forwarding; switches delete the
// requesting screen inside its own call, which AddressSanitizer watches.
#include <gtest/gtest.h>

#include <utility>
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
    *deleted = false;
    delete manager.children[0];
    auto* probe = new ProbeScreen(&manager, deleted);
    manager.children[0] = probe;
    return probe;
}

}  // namespace

TEST(ScreenManager, EachSwitchBuildsAFreshScreenAndDeletesTheOldOneEvenInsideItsOwnTick) {
    TestApplication application;
    ScreenManager manager(nullptr, 0, 0);
    manager.nextFrame();
    bool deleted = false;
    ProbeScreen* title = installProbe(manager, &deleted);
    manager.setFrame(SCREEN_TITLE);
    EXPECT_EQ(std::pair(deleted, manager.children[0]), std::pair(false, static_cast<Sprite*>(title)));
    for (const int event : {-1, 0, 1, 2, 3, 4, 5, EVENT_PAUSE, EVENT_MOUSE_WHEEL, 256}) manager.handleEvent(event);
    EXPECT_EQ(title->events, (std::vector<int>{1, 2, 3, 4, 5})) << "pausing and the wheel are for a game only";
    title->leaveOnTick = true;
    manager.tick();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(manager.getFrame(), SCREEN_GAME);
    EXPECT_NE(dynamic_cast<GameScreen*>(manager.children[0]), nullptr);

    ProbeScreen* game = installProbe(manager, &deleted);
    manager.handleEvent(EVENT_PAUSE);
    EXPECT_EQ(game->events, std::vector<int>{EVENT_PAUSE});
    manager.nextFrame();  // nothing lies beyond the game
    manager.setFrame(7);
    EXPECT_FALSE(deleted);
    manager.setFrame(SCREEN_TITLE);
    EXPECT_TRUE(deleted);
    EXPECT_NE(dynamic_cast<TitleScreen*>(manager.children[0]), nullptr);

    // An empty slot takes events and ticks without harm.
    delete manager.children[0];
    manager.children[0] = nullptr;
    manager.handleEvent(EVENT_MOUSE_DOWN);
    manager.tick();
    EXPECT_TRUE(manager.draw());
}
