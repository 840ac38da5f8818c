// The root of the node tree: holds one screen at a time, chosen by its frame,
// and builds a fresh screen on every switch.
#pragma once

#include "display/sprite.h"

constexpr int SCREEN_SPLASH = 0;
constexpr int SCREEN_TITLE = 1;
constexpr int SCREEN_GAME = 2;

class ScreenManager : public Sprite {
public:
    ScreenManager(Sprite* const& parent, const int& x, const int& y);
    ~ScreenManager() override;

    void create();
    void showTitle();
    void showGame();
    void onFrameChanged() override;
    void handleEvent(const int& event) override;
};
