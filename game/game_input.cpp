// Playing without the mouse and pausing: the keyboard and pad cursor, turns
// by key, and the pause that stops the game and hides the board.
#include <algorithm>

#include "app/application.h"
#include "app/events.h"
#include "app/key_actions.h"
#include "app/language.h"
#include "game/game_screen.h"
#include "media/sound.h"
#include "screens/panel_shape.h"

namespace {

constexpr uint32_t noticeBackground = 0x000022;
constexpr uint32_t noticeBorder = 0xFF9900;
constexpr int noticeBorderWidth = 2;
constexpr uint32_t noticeText = 0xFFFFFF;
constexpr int alignCentre = 1;

}  // namespace

void GameScreen::handleKey(const int& event) {
    const int key = theApplication->keyCode;
    const KeyAction action = keyAction(KeyContext::Board, key, theApplication->keyModifiers);
    if (event == EVENT_KEY_UP) {
        if (key == swallowedKey) swallowedKey = 0;
        if (action == KeyAction::ShowMatches) clearHints();
        return;
    }
    if (key == swallowedKey) return;
    swallowedKey = 0;
    switch (action) {
        case KeyAction::Up: moveCursor(0, -1); break;
        case KeyAction::Down: moveCursor(0, 1); break;
        case KeyAction::Left: moveCursor(-1, 0); break;
        case KeyAction::Right: moveCursor(1, 0); break;
        case KeyAction::TurnAnticlockwise:
        case KeyAction::TurnClockwise:
            if (acceptsMove(cursorColumn, cursorRow))
                makeMove(cursorColumn, cursorRow, action == KeyAction::TurnAnticlockwise);
            break;
        case KeyAction::ShowMatches: findHints(); break;
        case KeyAction::Pause:
            pause();
            swallowedKey = key;
            break;
        // Exit deletes this screen inside the call.
        case KeyAction::LeaveGame: clickButton(CHILD_EXIT_BUTTON); return;
        default: break;
    }
}

void GameScreen::handlePausedEvent(const int& event, const int& button) {
    if (event == EVENT_MOUSE_DOWN) {
        // The buttons work as ever; a click anywhere else plays on.
        if (button != -1)
            clickButton(button);
        else
            resume();
    } else if (event == EVENT_KEY_DOWN) {
        const int key = theApplication->keyCode;
        // Shift, Control and Alt alone stay paused: they may begin a shortcut.
        if (key == swallowedKey || isModifierKey(key)) return;
        if (keyAction(KeyContext::Board, key, theApplication->keyModifiers) == KeyAction::LeaveGame) {
            clickButton(CHILD_EXIT_BUTTON);
            return;
        }
        resume();
        swallowedKey = key;
    } else if (event == EVENT_KEY_UP) {
        handleKey(event);
    }
}

bool GameScreen::acceptsMove(const int& column, const int& row) {
    return !moving && !removing && isValidGroup(column, row);
}

void GameScreen::moveCursor(const int& columnStep, const int& rowStep) {
    // Off the board, the first step shows the cursor on the middle group.
    if (!isValidGroup(cursorColumn, cursorRow)) {
        cursorColumn = (boardColumns - 1) / 2;
        cursorRow = (boardRows - 1) / 2;
        return;
    }
    cursorColumn = std::clamp(cursorColumn + columnStep, 0, boardColumns - 2);
    cursorRow = std::clamp(cursorRow + rowStep, 0, boardRows - 2);
}

void GameScreen::pause() {
    // Keys let go while the window had no focus never report their release.
    swallowedKey = 0;
    if (paused) return;
    paused = true;
    // The next tick after the pause feeds and resumes it again.
    music->stop();
}

void GameScreen::resume() { paused = false; }

bool GameScreen::drawPaused() {
    for (int i = CHILD_BACKGROUND; i <= CHILD_BONUS; ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    // The notice covers the whole board: a pause is no time to study it.
    const int left = originX + x + boardLeft;
    const int top = originY + y + boardTop;
    if (!drawPanelFrame(left, top, boardWidth, boardHeight, noticeBackground, noticeBorder, noticeBorderWidth))
        return false;
    Application& app = *theApplication;
    if (!app.beginDraw()) return false;
    const int middle = top + boardHeight / 2;
    bool drawn = app.setFont("Arial", 40, noticeText);
    if (drawn) {
        drawn = app.drawUtf8Text(left, middle - 40, left + boardWidth, middle, alignCentre, translate("Paused"));
        app.releaseFont();
    }
    if (drawn && (drawn = app.setFont("Arial", 16, noticeText))) {
        drawn = app.drawUtf8Text(left, middle + 10, left + boardWidth, middle + 30, alignCentre,
                                 translate("Press any key or click to play on"));
        app.releaseFont();
    }
    app.endDraw();
    return drawn && drawTimeBar();
}
