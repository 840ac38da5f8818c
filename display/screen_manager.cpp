// The root of the node tree: holds one screen at a time, chosen by its frame,
// and builds a fresh screen on every switch.
#include "display/screen_manager.h"

#include <new>

#include "app/application.h"
#include "display/splash_screen.h"
#include "game/game_screen.h"
#include "screens/title_screen.h"

namespace {

constexpr int SCREEN_COUNT = 3;

}  // namespace

ScreenManager::ScreenManager(Sprite* const& parent_, const int& x_, const int& y_) {
    init(parent_, x_, y_, nullptr);
    create();
}

ScreenManager::~ScreenManager() = default;

void ScreenManager::create() {
    width = theApplication->width;
    height = theApplication->height;
    allocateChildren(1);
    children[0] = new (std::nothrow) SplashScreen(this, 0, 0, width, height);
    frameCount = SCREEN_COUNT;
}

void ScreenManager::showTitle() {
    delete children[0];
    children[0] = nullptr;
    children[0] = new (std::nothrow) TitleScreen(this, 0, 0);
}

void ScreenManager::showGame() {
    delete children[0];
    children[0] = nullptr;
    children[0] = new (std::nothrow) GameScreen(this, 0, 0);
}

void ScreenManager::onFrameChanged() {
    if (frame == SCREEN_TITLE)
        showTitle();
    else if (frame == SCREEN_GAME)
        showGame();
}

void ScreenManager::handleEvent(const int& event) {
    // Pausing and the wheel mean something only in a game.
    const bool gameEvent = (event == EVENT_PAUSE || event == EVENT_MOUSE_WHEEL) && frame == SCREEN_GAME;
    if ((event < EVENT_MOUSE_MOVE || event > EVENT_CHAR) && !gameEvent) return;
    if (frame < SCREEN_SPLASH || frame > SCREEN_GAME) return;
    if (children[0] != nullptr) children[0]->handleEvent(event);
}
