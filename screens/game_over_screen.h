// The end-of-game panel: a name for a qualifying score, otherwise a tip.
#pragma once

#include <cstdint>

#include "display/sprite.h"

class GameOverScreen : public Sprite {
public:
    GameOverScreen(Sprite* const& parent, const int& x, const int& y, const int& width, const int& height,
                   const uint32_t& backgroundColour, const uint32_t& borderColour, int borderWidth,
                   const int& score);
    ~GameOverScreen() override;

    void create(const int& width, const int& height, const uint32_t& backgroundColour,
                const uint32_t& borderColour, int borderWidth, const int& score);
};
