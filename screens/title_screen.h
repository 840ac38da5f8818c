// The title menu: Start, High scores, Options, Help and Exit.
#pragma once

#include "display/sprite.h"

class TitleScreen : public Sprite {
public:
    TitleScreen(Sprite* const& parent, const int& x, const int& y);
    ~TitleScreen() override;

    void create();
};
