// A headless game screen for the rule tests, with a match-free board that
// tests paint by hand.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "app/random_generator.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "support/test_application.h"

class GameFixture : public ::testing::Test {
protected:
    GameFixture() {
        theApplication->hasSound = false;
        screen = new GameScreen(nullptr, 0, 0);
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

    // The child slots hold exactly the board's blocks, in cell order.
    void expectSlotsFollowBoard() {
        for (int i = 0; i < 64; ++i) ASSERT_EQ(screen->children[CHILD_FIRST_BLOCK + i], screen->board[i]) << i;
    }

    TestApplication application;
    GameScreen* screen;
};
