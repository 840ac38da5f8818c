// The end-of-game panel: tests the final score against the high-score table,
// takes the player's name when it qualifies, and enters it on OK.
#include "screens/game_over_screen.h"

#include "app/application.h"
#include "app/key_actions.h"
#include "display/text_field.h"
#include "media/image.h"
#include "screens/panel_shape.h"

GameOverScreen::GameOverScreen(Sprite* const& parent_, const int& x_, const int& y_, const int& w, const int& h,
                               const uint32_t& background, const uint32_t& border, int borderWidth_,
                               const int& score_) {
    init(parent_, x_, y_, nullptr);
    create(w, h, background, border, borderWidth_, score_);
}

GameOverScreen* GameOverScreen::waitingForName = nullptr;

GameOverScreen::~GameOverScreen() {
    if (waitingForName == this) waitingForName = nullptr;
    delete okImage;
    delete gameOverImage;
    delete congratulationsImage;
    delete tipImage;
}

void GameOverScreen::create(const int& w, const int& h, const uint32_t& background, const uint32_t& border,
                            int borderWidth_, const int& score_) {
    setSize(w, h);
    backgroundColour = background;
    borderColour = border;
    borderWidth = borderWidth_;
    score = static_cast<uint32_t>(score_);
    HighScoreTable table;
    qualified = table.qualifies(score);

    gameOverImage = new Image("gameover.bmp", 81, 12, 1, 1, 1);
    gameOverImage->createSurface();
    okImage = new Image("ok.bmp", 22, 24, 1, 2, 2);
    okImage->createSurface();
    if (qualified) {
        buildQualifiedLayout();
        waitingForName = this;
    } else {
        buildTipLayout();
    }
}

void GameOverScreen::buildQualifiedLayout() {
    congratulationsImage = new Image("congratulations.bmp", 263, 64, 1, 1, 1);
    congratulationsImage->createSurface();
    allocateChildren(4);
    children[OK_BUTTON] = new Sprite(this, (width - okImage->frameWidth) / 2, height - 40, okImage);
    children[1] = new Sprite(this, (width - gameOverImage->frameWidth) / 2, 40, gameOverImage);
    children[2] = new Sprite(this, (width - congratulationsImage->frameWidth) / 2, children[1]->getBottom() + 20,
                             congratulationsImage);
    nameField = new TextField(this, 50, children[2]->getBottom() + 20, width - 100, 16, true, 0xFFFFFF, 0x000000, 1,
                              nullptr, HighScoreTable::NAME_CAPACITY);
    children[3] = nameField;
}

void GameOverScreen::buildTipLayout() {
    tipImage = new Image("tips.bmp", 342, 30, 1, 1, 1);
    tipImage->createSurface();
    allocateChildren(3);
    children[OK_BUTTON] =
        new Sprite(this, (width - okImage->frameWidth) / 2, (3 * height) / 4 - okImage->frameHeight / 2, okImage);
    children[1] = new Sprite(this, (width - gameOverImage->frameWidth) / 2,
                             height / 4 - gameOverImage->frameHeight / 2, gameOverImage);
    children[2] =
        new Sprite(this, (width - tipImage->frameWidth) / 2, height / 2 - tipImage->frameHeight / 2, tipImage);
}

void GameOverScreen::storeScore() {
    // Entered once: by OK, or when the program closes before it.
    if (waitingForName == this) waitingForName = nullptr;
    if (scoreEntered) return;
    scoreEntered = true;
    nameField->getText(name, HighScoreTable::NAME_CAPACITY);
    HighScoreTable table;
    table.insert(name, score);
}

void GameOverScreen::storeScoreOfOpenPanel() {
    if (waitingForName != nullptr) {
        waitingForName->storeScore();
    } else {
        HighScoreTable::storeWaitingScores();
    }
    HighScoreTable::reportWaitingScoresLost();
}

bool GameOverScreen::draw() {
    if (!drawPanelFrame(originX + x, originY + y, width, height, backgroundColour, borderColour, borderWidth))
        return false;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    return true;
}

void GameOverScreen::handleEvent(const int& event) {
    const int panelX = theApplication->mouseX - (originX + x);
    const int panelY = theApplication->mouseY - (originY + y);
    const bool onOk = nodeContains(children[OK_BUTTON], panelX, panelY);
    if (event == EVENT_MOUSE_MOVE) {
        children[OK_BUTTON]->setFrame(onOk ? 1 : 0);
        return;
    }
    if (event == EVENT_MOUSE_DOWN) {
        if (onOk) pressOk();
        return;
    }
    if (event == EVENT_KEY_DOWN &&
        keyAction(KeyContext::Panel, theApplication->keyCode, theApplication->keyModifiers) == KeyAction::Confirm) {
        pressOk();
        return;
    }
    if ((event == EVENT_KEY_DOWN || event == EVENT_CHAR) && qualified) nameField->handleEvent(event);
}

void GameOverScreen::pressOk() {
    if (qualified) storeScore();
    // The parent deletes this panel inside the call: nothing may follow it.
    if (parent != nullptr) parent->onChildDone(this, DONE_CODE);
}
