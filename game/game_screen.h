// The playing screen: the board, its rules and scoring, counters, buttons and music.
#pragma once

#include "display/sprite.h"

class GameScreen : public Sprite {
public:
    GameScreen(Sprite* const& parent, const int& x, const int& y);
    ~GameScreen() override;

    void create();
};
