// Placeholder until the screen manager lands.
#include "display/screen_manager.h"

ScreenManager::ScreenManager(Sprite* const& parent_, const int& x_, const int& y_) {
    init(parent_, x_, y_, nullptr);
    create();
}
ScreenManager::~ScreenManager() = default;
void ScreenManager::create() { frameCount = 3; }
void ScreenManager::showTitle() {}
void ScreenManager::showGame() {}
void ScreenManager::onFrameChanged() {}
void ScreenManager::handleEvent(const int&) {}
