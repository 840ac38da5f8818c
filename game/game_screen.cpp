// Placeholder until the game screen lands.
#include "game/game_screen.h"

GameScreen::GameScreen(Sprite* const& parent_, const int& x_, const int& y_) {
    init(parent_, x_, y_, nullptr);
    create();
}
GameScreen::~GameScreen() = default;
void GameScreen::create() {}
