// A headless game screen for the rule tests, with a match-free board that
// tests paint by hand.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "app/random_generator.h"
#include "display/number_display.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "support/test_application.h"

// Several figures in one comparison: EXPECT_EQ(values(a, b), values(1, 2)).
template <typename... T>
std::vector<long long> values(const T&... v) {
    return {static_cast<long long>(v)...};
}

// Stands in for the screen manager: records the screens asked for.
class RecordingParent : public Sprite {
public:
    RecordingParent() : Sprite(nullptr, 0, 0, nullptr) {}
    void setFrame(int index) override { requested.push_back(index); }
    std::vector<int> requested;
};

class GameFixture : public ::testing::Test {
protected:
    GameFixture() {
        theApplication->hasSound = false;
        screen = new GameScreen(&parent, 0, 0);
        paintBackground();
    }
    // Colour (c + 2r) mod 8 puts no square of any size or tilt on one colour.
    void paintBackground() {
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) paint(c, r, 2 + (c + 2 * r) % 8);
    }
    ~GameFixture() override { delete screen; }

    Block* at(int c, int r) { return screen->board[r * 8 + c]; }
    void paint(int c, int r, int kind) { at(c, r)->setKind(kind); }
    void paint(std::initializer_list<std::pair<int, int>> cells, int kind) {
        for (const auto& [c, r] : cells) paint(c, r, kind);
    }
    int kinds(int c, int r) { return at(c, r)->getKind(); }
    std::vector<Block*> boardCopy() { return {screen->board, screen->board + 64}; }
    void clearMatches() {
        for (int i = 0; i < 64; ++i) screen->board[i]->setMatched(false);
        screen->matchCount = 0;
    }

    // Sets the input state as the window procedure would and passes the event on.
    void send(int event, int mx, int my, int buttons = 0, int key = 0) {
        theApplication->mouseX = mx;
        theApplication->mouseY = my;
        theApplication->mouseButtons = buttons;
        theApplication->keyCode = key;
        screen->handleEvent(event);
    }

    // Plays one game with random pointing, both buttons and the space key,
    // through handleEvent and full-speed ticks, checking the board every tick
    // and drawing every drawInterval-th frame. Returns the moves that turned a group.
    int playScriptedGame(unsigned seed, int drawInterval) {
        int moves = 0;
        int ticks = 0;
        seedRandom(seed);
        for (int i = 0; i < 64; ++i) screen->board[i]->setKind(Block::kindFromDraw(drawRandom(), 8));
        std::mt19937 script(seed);
        while (screen->playing && ticks < 200000) {
            const int action = static_cast<int>(script() % 10);
            const int mx = static_cast<int>(script() % 640);
            const int my = static_cast<int>(script() % 600);
            send(EVENT_MOUSE_MOVE, mx, my);
            if (action < 6) {
                const int before = screen->timeLeft;
                const int buttons = action == 5 ? BUTTON_LEFT | BUTTON_RIGHT : action % 2 ? BUTTON_RIGHT : BUTTON_LEFT;
                send(EVENT_MOUSE_DOWN, mx, my, buttons);
                moves += screen->timeLeft != before;
            } else if (action < 8) {
                send(action == 6 ? EVENT_KEY_DOWN : EVENT_KEY_UP, mx, my, 0, KEY_SPACE);
            }
            const int steps = 1 + static_cast<int>(script() % 6);
            for (int t = 0; t < steps && screen->playing; ++t) {
                screen->tick();
                if (++ticks % drawInterval == 0) {
                    EXPECT_TRUE(screen->draw());
                }
                if (!boardIsSound()) return moves;
            }
        }
        return moves;
    }

    // The board holds 64 distinct blocks, the child slots follow it, and the
    // counters agree with their displays.
    bool boardIsSound() {
        const std::vector<Block*> cells = boardCopy();
        EXPECT_EQ(std::set<Block*>(cells.begin(), cells.end()).size(), 64u);
        EXPECT_EQ(std::vector<Sprite*>(screen->children + CHILD_FIRST_BLOCK, screen->children + CHILD_FIRST_BLOCK + 64),
                  std::vector<Sprite*>(cells.begin(), cells.end()));
        EXPECT_GE(screen->timeLeft, 0);
        EXPECT_LE(screen->timeLeft, 2000);
        EXPECT_EQ(screen->level, screen->removedCount / 30 + 1);
        EXPECT_EQ(screen->scoreDisplay->value, std::min(screen->score, 99999999));
        return !::testing::Test::HasFailure();
    }

    TestApplication application;
    RecordingParent parent;
    GameScreen* screen;
};
