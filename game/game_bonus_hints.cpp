// The game screen's bonus block, its floating points and the hint search
// that lists every match one move could make.
#include "app/application.h"
#include "app/random_generator.h"
#include "display/number_display.h"
#include "game/block.h"
#include "game/game_screen.h"

void GameScreen::showBonus() {
    bonusHit = false;
    bonusBlock->setAlpha(opaqueAlpha);
    // One of the first five colours.
    bonusBlock->setKind(KIND_FIRST_COLOUR + drawRandom() * 5 / 32768);
    bonusMark = removedCount;
    playSound(bonusSound);
}

void GameScreen::hideBonus() {
    bonusHit = false;
    bonusBlock->setAlpha(0);
}

void GameScreen::animateBonus() {
    if (bonusBlock->getAlpha() == 0) return;
    const int column = bonusBlock->getFrame() % bonusBlock->framesPerColour;
    if (bonusBlinkToggle == 0) {
        if (column == 0) bonusBlock->nextFrame();
        bonusBlinkToggle = 1;
    } else {
        if (column == 1) bonusBlock->prevFrame();
        bonusBlinkToggle = 0;
    }
}

void GameScreen::showPoints() {
    int leastColumn = boardColumns - 1;
    int greatestColumn = 0;
    int leastRow = boardRows - 1;
    int greatestRow = 0;
    for (int index = 0; index < boardColumns * boardRows; ++index) {
        if (!board[index]->isMatched()) continue;
        const int column = index % boardColumns;
        const int row = index / boardColumns;
        if (column < leastColumn) leastColumn = column;
        if (column > greatestColumn) greatestColumn = column;
        if (row < leastRow) leastRow = row;
        if (row > greatestRow) greatestRow = row;
    }
    const int cx = boardLeft + (leastColumn + greatestColumn + 1) * cellWidth / 2;
    const int cy = boardTop + (leastRow + greatestRow + 1) * cellHeight / 2;
    pointsDisplay->setPosition(cx, cy);
    pointsDisplay->setAlignBounds(cx - 100, cx + 100);
    pointsDisplay->setValue(lastPoints);
    pointsDisplay->setAlpha(opaqueAlpha);
}

void GameScreen::hidePoints() { pointsDisplay->setAlpha(0); }

void GameScreen::floatPoints() {
    if (pointsDisplay->getAlpha() != 0) pointsDisplay->moveY(-5);
}

void GameScreen::findHints() {
    if (hintCount != 0) return;
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    for (int x = 0; x < boardColumns - 1; ++x)
        for (int y = 0; y < boardRows - 1; ++y)
            // Four anticlockwise turns restore the group; after the first it stands
            // as a left-button move leaves it, after the third as a right-button move.
            for (int turn = 1; turn <= 4; ++turn) {
                rotateGroup(x, y, true);
                if (turn != 1 && turn != 3) continue;
                for (int x1 = x; x1 <= x + 1; ++x1)
                    for (int y1 = y; y1 <= y + 1; ++y1)
                        for (int y2 = 0; y2 < boardRows; ++y2)
                            for (int x2 = 0; x2 < boardColumns; ++x2)
                                if (squareCorners(x1, y1, x2, y2, i1, i2, i3, i4) && cornersMatch(i1, i2, i3, i4))
                                    appendSquare(x1, y1, x2, y2, hintList, hintCapacity, hintCount);
            }
}

void GameScreen::clearHints() { hintCount = 0; }
