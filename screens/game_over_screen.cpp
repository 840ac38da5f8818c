// Placeholder until the end-of-game panel lands.
#include "screens/game_over_screen.h"

GameOverScreen::GameOverScreen(Sprite* const& parent_, const int& x_, const int& y_, const int& w, const int& h,
                               const uint32_t& background, const uint32_t& border, int borderWidth,
                               const int& score) {
    init(parent_, x_, y_, nullptr);
    create(w, h, background, border, borderWidth, score);
}
GameOverScreen::~GameOverScreen() = default;
void GameOverScreen::create(const int& w, const int& h, const uint32_t&, const uint32_t&, int, const int&) {
    setSize(w, h);
}
