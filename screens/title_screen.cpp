// Placeholder until the title screen lands.
#include "screens/title_screen.h"

TitleScreen::TitleScreen(Sprite* const& parent_, const int& x_, const int& y_) {
    init(parent_, x_, y_, nullptr);
    create();
}
TitleScreen::~TitleScreen() = default;
void TitleScreen::create() {}
