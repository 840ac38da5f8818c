// The board rules of the game screen: turning groups, finding and scoring
// matches, removing and refilling, the counters and the once-a-tick play step.
#include <climits>
#include <new>

#include "app/application.h"
#include "app/random_generator.h"
#include "display/number_display.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "media/image.h"
#include "media/sound.h"

namespace {

// Four 4-bit fields: two neighbouring corners of a square.
uint32_t packSquare(const int& x1, const int& y1, const int& x2, const int& y2) {
    return static_cast<uint32_t>((x1 & 0xF) << 12 | (y1 & 0xF) << 8 | (x2 & 0xF) << 4 | (y2 & 0xF));
}

// Scores and counters stop at the largest int instead of wrapping round.
int saturatedInt(const long long& value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

int GameScreen::bonusBlinkToggle = 0;

int GameScreen::cellX(const int& column) {
    return (cellWidth - blocksImage->frameWidth) / 2 + column * cellWidth + boardLeft;
}

int GameScreen::cellY(const int& row) {
    return (cellHeight - blocksImage->frameHeight) / 2 + row * cellHeight + boardTop;
}

// The group whose shared corner lies nearest the pointer; may be off the board.
int GameScreen::pointedColumn(const int& mx) { return (cellWidth / 2 - boardLeft + mx) / cellWidth - 1; }

int GameScreen::pointedRow(const int& my) { return (cellHeight / 2 - boardTop + my) / cellHeight - 1; }

bool GameScreen::isValidGroup(const int& column, const int& row) {
    return column >= 0 && column < boardColumns - 1 && row >= 0 && row < boardRows - 1;
}

// Every board write goes through here so the child slots always hold the
// current block of each cell.
void GameScreen::placeBlock(const int& index, Block* const& block) {
    board[index] = block;
    children[CHILD_FIRST_BLOCK + index] = block;
}

void GameScreen::rotateGroup(const int& column, const int& row, const bool& anticlockwise) {
    const int topLeft = row * boardColumns + column;
    const int topRight = topLeft + 1;
    const int bottomLeft = topLeft + boardColumns;
    const int bottomRight = bottomLeft + 1;
    Block* const oldTopLeft = board[topLeft];
    if (anticlockwise) {
        placeBlock(topLeft, board[topRight]);
        placeBlock(topRight, board[bottomRight]);
        placeBlock(bottomRight, board[bottomLeft]);
        placeBlock(bottomLeft, oldTopLeft);
    } else {
        placeBlock(topLeft, board[bottomLeft]);
        placeBlock(bottomLeft, board[bottomRight]);
        placeBlock(bottomRight, board[topRight]);
        placeBlock(topRight, oldTopLeft);
    }
}

void GameScreen::makeMove(const int& column, const int& row, const bool& anticlockwise) {
    rotateGroup(column, row, anticlockwise);
    moving = true;
    playerMoved = true;
    spendTime(level * timeUnit);
}

bool GameScreen::squareCorners(const int& x1, const int& y1, const int& x2, const int& y2, int& i1, int& i2,
                               int& i3, int& i4) {
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    if (dx == 0 && dy == 0) return false;
    const int x3 = x2 - dy;
    const int y3 = y2 + dx;
    const int x4 = x1 - dy;
    const int y4 = y1 + dx;
    if (x3 < 0 || x3 >= boardColumns || x4 < 0 || x4 >= boardColumns) return false;
    if (y3 < 0 || y3 >= boardRows || y4 < 0 || y4 >= boardRows) return false;
    i1 = y1 * boardColumns + x1;
    i2 = y2 * boardColumns + x2;
    i3 = y3 * boardColumns + x3;
    i4 = y4 * boardColumns + x4;
    return true;
}

bool GameScreen::cornersMatch(const int& i1, const int& i2, const int& i3, const int& i4) {
    Block* const corners[4] = {board[i1], board[i2], board[i3], board[i4]};
    for (Block* const corner : corners)
        if (corner->getKind() == KIND_BOMB) return true;
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            if (!corners[a]->sameKind(corners[b])) return false;
    return true;
}

bool GameScreen::findMatches() {
    int found = 0;
    int area = 0;
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    // Each square is met once: by its one directed edge with x2 > x1 and y2 >= y1.
    for (int y1 = 0; y1 < boardRows; ++y1)
        for (int x1 = 0; x1 < boardColumns; ++x1)
            for (int y2 = y1; y2 < boardRows; ++y2)
                for (int x2 = x1 + 1; x2 < boardColumns; ++x2) {
                    if (!squareCorners(x1, y1, x2, y2, i1, i2, i3, i4) || !cornersMatch(i1, i2, i3, i4)) continue;
                    Block* const corners[4] = {board[i1], board[i2], board[i3], board[i4]};
                    bool inBonusColour = bonusBlock->getAlpha() != 0;
                    for (Block* const corner : corners) {
                        corner->setMatched(true);
                        if (!corner->sameKind(bonusBlock)) inBonusColour = false;
                    }
                    if (inBonusColour) bonusHit = true;
                    appendSquare(x1, y1, x2, y2, matchList, matchCapacity, matchCount);
                    area += (x2 - x1 + 1) * (y2 - y1 + 1);
                    matchLineColour = 0xFFFFFF;
                    ++found;
                }
    if (found == 0) {
        setChain(0);
        return false;
    }
    setChain(chain + 1);
    if (playerMoved) setCombo(combo + 1);
    const int points = saturatedInt(static_cast<long long>(combo) * combo * chain * area);
    addScore(points);
    addTime(timeUnit * area * 5);
    lastPoints = points;
    playSound(matchSound(found));
    return true;
}

Sound* GameScreen::matchSound(const int& found) {
    if (found >= 7) return manyMatchesSound;
    if (chain == 1) return chainOneSound;
    if (chain == 2) return chainTwoSound;
    return chainMoreSound;
}

void GameScreen::collapse() {
    const int cellCount = boardColumns * boardRows;
    Block** const created = new Block*[cellCount];
    int createdCount = 0;
    for (int c = 0; c < boardColumns; ++c) {
        int r = boardRows - 1;
        while (r >= 0) {
            const int index = r * boardColumns + c;
            if (!board[index]->isMatched()) {
                --r;
                continue;
            }
            delete board[index];
            for (int above = r; above > 0; --above)
                placeBlock(above * boardColumns + c, board[(above - 1) * boardColumns + c]);
            // The new block stacks one cell above the block now below it.
            Block* const below = board[boardColumns + c];
            Block* const fresh = new Block(this, below->getX(), below->getY() - cellHeight, blocksImage, colourCount,
                                           blocksImage->columns);
            placeBlock(c, fresh);
            created[createdCount++] = fresh;
            addRemoved(1);
        }
    }
    if (bonusHit) {
        if (createdCount > 0) created[drawRandom() * createdCount / 32768]->setKind(KIND_BOMB);
        hideBonus();
    }
    delete[] created;
}

void GameScreen::appendSquare(const int& x1, const int& y1, const int& x2, const int& y2, uint32_t*& list,
                              int& capacity, int& count) {
    if (count >= capacity) {
        uint32_t* const larger = new (std::nothrow) uint32_t[capacity + 1];
        if (larger == nullptr) return;
        for (int i = 0; i < count; ++i) larger[i] = list[i];
        delete[] list;
        list = larger;
        capacity += 1;
    }
    list[count++] = packSquare(x1, y1, x2, y2);
}

void GameScreen::playStep() {
    if (moving) {
        moving = false;
        for (int index = 0; index < boardColumns * boardRows; ++index) {
            Block* const block = board[index];
            const int restX = cellX(index % boardColumns);
            const int restY = cellY(index / boardColumns);
            if (block->getX() > restX)
                block->moveX(-moveSpeed);
            else if (block->getX() < restX)
                block->moveX(moveSpeed);
            else if (block->getY() > restY)
                block->moveY(-moveSpeed);
            else if (block->getY() < restY)
                block->moveY(moveSpeed);
            else
                continue;
            moving = true;
        }
        if (moving) return;
        if (findMatches()) {
            removing = true;
            showPoints();
        } else {
            if (playerMoved) setCombo(0);
            if (removedCount >= bonusMark + bonusInterval)
                showBonus();
            else
                hideBonus();
        }
        playerMoved = false;
    } else if (removing) {
        matchLineColour >>= 4;
        for (int index = 0; index < boardColumns * boardRows; ++index) {
            Block* const block = board[index];
            if (!block->isMatched()) continue;
            if (block->getFrame() % block->framesPerColour == block->framesPerColour - 1) removing = false;
            block->nextFrame();
        }
        if (!removing) {
            matchCount = 0;
            collapse();
            hidePoints();
            moving = true;
        }
    }
}

void GameScreen::addScore(const int& points) {
    score = saturatedInt(static_cast<long long>(score) + points);
    scoreDisplay->setValue(score);
}

void GameScreen::addTime(const int& ticks) {
    timeLeft = timeLeft + ticks < maxTime ? timeLeft + ticks : maxTime;
}

void GameScreen::spendTime(const int& ticks) {
    timeLeft -= ticks;
    if (timeLeft > 0) return;
    timeLeft = 0;
    if (playing) endGame();
}

void GameScreen::setLevel(const int& value) {
    level = value;
    nextLevelAt = blocksPerLevel * value;
    levelDisplay->setValue(level);
    nextLevelDisplay->setValue(nextLevelAt);
}

void GameScreen::addRemoved(const int& count) {
    removedCount += count;
    removedDisplay->setValue(removedCount);
    setLevel(removedCount / blocksPerLevel + 1);
}

void GameScreen::setChain(const int& value) {
    chain = value;
    chainDisplay->setValue(chain);
}

void GameScreen::setCombo(const int& value) {
    combo = value;
    comboDisplay->setValue(combo);
}

void GameScreen::playSound(Sound* const& sound) {
    if (sound != nullptr && theApplication->hasSound) sound->play();
}
