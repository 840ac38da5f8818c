// The game screen's life: building its pictures, sounds and children, the
// tick, drawing the board with its marks, input, buttons and the end panel.
#include "game/game_screen.h"

#include <cstdlib>
#include <ctime>
#include <initializer_list>

#include "app/application.h"
#include "app/events.h"
#include "app/random_generator.h"
#include "display/number_display.h"
#include "display/screen_manager.h"
#include "display/tick_motion.h"
#include "game/block.h"
#include "media/image.h"
#include "media/sound.h"
#include "screens/game_over_screen.h"

namespace {

constexpr int listRoom = 40;
constexpr int alignCentre = 3;
constexpr int timeBarLeft = 200;
constexpr int timeBarTop = 50;
constexpr int timeBarHeight = 10;
constexpr uint32_t panelBackground = 0x000022;
constexpr uint32_t panelBorder = 0xFF9900;
constexpr int panelBorderWidth = 2;
constexpr int panelDoneCode = 10;
constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t hintColour = 0xFF0000;

}  // namespace

GameScreen::GameScreen(Sprite* const& parent_, const int& x_, const int& y_) {
    init(parent_, x_, y_, nullptr);
    create();
}

GameScreen::~GameScreen() {
    delete backgroundImage;
    delete blocksImage;
    delete smallDigitsImage;
    delete largeDigitsImage;
    delete soundButtonImage;
    delete exitButtonImage;
    delete logoImage;
    delete chainOneSound;
    delete chainTwoSound;
    delete chainMoreSound;
    delete bonusSound;
    delete manyMatchesSound;
    delete timeUpSound;
    delete music;
    delete[] matchList;
    delete[] hintList;
    delete[] board;
}

void GameScreen::create() {
    setSize(theApplication->width, theApplication->height);
    matchList = new uint32_t[listRoom];
    matchCapacity = listRoom;
    hintList = new uint32_t[listRoom];
    hintCapacity = listRoom;
    seedRandom(static_cast<uint32_t>(std::time(nullptr)));

    auto loaded = [](Image* const picture) {
        picture->createSurface();
        return picture;
    };
    backgroundImage = loaded(new Image("field.bmp", 800, 600, 1, 1, 1));
    blocksImage = loaded(new Image("blocks.bmp", 150, 240, 5, 8, 40, 0, 0));
    smallDigitsImage = loaded(new Image("digits.bmp", 100, 12, 10, 1, 10));
    largeDigitsImage = loaded(new Image("digits2.bmp", 160, 20, 10, 1, 10, 0, 0));
    soundButtonImage = loaded(new Image("sound.bmp", 104, 68, 1, 4, 4, 0, 0));
    exitButtonImage = loaded(new Image("exit2.bmp", 54, 32, 1, 2, 2));
    logoImage = loaded(new Image("logo.bmp", 148, 106, 1, 2, 2));

    chainOneSound = new Sound("beltree.wav", false, 2);
    chainTwoSound = new Sound("xyloslid.wav", false, 2);
    chainMoreSound = new Sound("gliss.wav", false, 2);
    bonusSound = new Sound("ok.wav", false, 2);
    manyMatchesSound = new Sound("bigbrass.wav", false, 2);
    timeUpSound = new Sound("pizz.wav", false, 2);
    for (Sound* const effect : {chainOneSound, chainTwoSound, chainMoreSound, bonusSound, manyMatchesSound, timeUpSound})
        effect->createBuffer();
    music = new Sound("music.wav", true, 2);
    music->createBuffer();
    if (theApplication->hasSound) music->play();

    const int cellCount = boardColumns * boardRows;
    allocateChildren(cellCount + 13);
    board = new Block*[cellCount];
    Sprite* const self = this;
    children[CHILD_BACKGROUND] = new Sprite(self, 0, 0, backgroundImage);
    levelDisplay = new NumberDisplay(self, 20, 50, smallDigitsImage, 3, level, true, alignCentre, 20, 140);
    scoreDisplay = new NumberDisplay(self, 660, 50, smallDigitsImage, 8, score, true, alignCentre, 660, 780);
    removedDisplay = new NumberDisplay(self, 20, 130, smallDigitsImage, 4, removedCount, true, alignCentre, 20, 140);
    nextLevelDisplay =
        new NumberDisplay(self, 20, 210, smallDigitsImage, 4, nextLevelAt, true, alignCentre, 20, 140);
    comboDisplay = new NumberDisplay(self, 20, 470, smallDigitsImage, 3, combo, true, alignCentre, 20, 140);
    chainDisplay = new NumberDisplay(self, 20, 550, smallDigitsImage, 3, chain, true, alignCentre, 20, 140);
    children[CHILD_LEVEL] = levelDisplay;
    children[CHILD_SCORE] = scoreDisplay;
    children[CHILD_REMOVED] = removedDisplay;
    children[CHILD_NEXT_LEVEL] = nextLevelDisplay;
    children[CHILD_COMBO] = comboDisplay;
    children[CHILD_CHAIN] = chainDisplay;
    pointsDisplay = new NumberDisplay(self, 0, 0, largeDigitsImage, 8, 0, true, alignCentre, 0, 0);
    pointsDisplay->setAlpha(0);
    children[pointsSlot()] = pointsDisplay;
    children[CHILD_SOUND_BUTTON] = new Sprite(self, 664, 441, soundButtonImage);
    children[CHILD_SOUND_BUTTON]->setFrame(theApplication->hasSound ? 0 : 2);
    children[CHILD_EXIT_BUTTON] = new Sprite(self, 670, 472, exitButtonImage);
    children[CHILD_LOGO] = new Sprite(self, 647, 535, logoImage);
    // The bonus block draws its kind first; the board's blocks follow in cell order.
    bonusBlock = new Block(self, (780 - blocksImage->frameWidth - 660) / 2 + 660, 160, blocksImage, colourCount,
                           blocksImage->columns);
    bonusBlock->setAlpha(0);
    children[CHILD_BONUS] = bonusBlock;
    for (int index = 0; index < cellCount; ++index)
        placeBlock(index, new Block(self, cellX(index % boardColumns), cellY(index / boardColumns), blocksImage,
                                    colourCount, blocksImage->columns));
}

void GameScreen::tick() {
    // The frame draws before it ticks: this is what its picture showed.
    timeShown = timeLeft;
    if (!playing || paused) return;
    if (theApplication->hasSound) {
        music->resume();
        music->updateStream();
    } else {
        music->stop();
    }
    playStep();
    for (int index = 0; index < boardColumns * boardRows; ++index) board[index]->tick();
    animateBonus();
    floatPoints();
    spendTime(1);
    if (timeBarGlides()) theApplication->changesBetweenTicks = true;
}

bool GameScreen::timeBarGlides() {
    // A step of one pixel, the time draining by itself, is a step whenever
    // it is shown; a longer change glides.
    return std::abs(timeShown / timeUnit - timeLeft / timeUnit) > 1;
}

void GameScreen::endGame() {
    playing = false;
    if (children[panelSlot()] == nullptr)
        children[panelSlot()] = new GameOverScreen(this, 200, 220, 400, 260, panelBackground, panelBorder,
                                                   panelBorderWidth, score);
    // The looping music buffer is no longer fed once the game stops ticking.
    music->stop();
    playSound(timeUpSound);
}

bool GameScreen::draw() {
    if (paused) return drawPaused();
    for (int i = CHILD_BACKGROUND; i <= CHILD_BONUS; ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    const int left = originX + x + boardLeft;
    const int top = originY + y + boardTop;
    for (int index = 0; index < boardColumns * boardRows; ++index)
        if (!board[index]->drawClipped(left, top, left + boardWidth, top + boardHeight)) return false;
    if (!drawTimeBar()) return false;
    if (!theApplication->beginDraw()) return false;
    drawCursor();
    drawOutlines(matchList, matchCount, 2, matchLineColour);
    drawOutlines(hintList, hintCount, 1, hintColour);
    theApplication->endDraw();
    for (int i = pointsSlot(); i <= panelSlot(); ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    return true;
}

bool GameScreen::drawTimeBar() {
    Application& app = *theApplication;
    int time = timeLeft;
    if (app.drawingBetweenTicks && timeBarGlides()) {
        time = TickMotion::between(timeShown, timeLeft, app.betweenTicksFraction);
        app.changesBetweenTicks = true;
    }
    const int w = time / timeUnit;
    if (w == 0) return true;
    // Yellow when the time is full, through orange to red near the end.
    const uint32_t green = static_cast<uint32_t>(w * 255 / (maxTime / timeUnit)) & 0xFF;
    return theApplication->fillRect(timeBarLeft, timeBarTop, w, timeBarHeight, 0xFF0000 | green << 8);
}

bool GameScreen::drawCursor() {
    if (!isValidGroup(cursorColumn, cursorRow)) return true;
    const int x0 = cellX(cursorColumn);
    const int y0 = cellY(cursorRow);
    const int x1 = x0 + blocksImage->frameWidth + cellWidth;
    const int y1 = y0 + blocksImage->frameHeight + cellHeight;
    theApplication->setPen(1, white);
    theApplication->drawLine(x0, y0, x1, y0);
    theApplication->drawLine(x1, y0, x1, y1);
    theApplication->drawLine(x1, y1, x0, y1);
    theApplication->drawLine(x0, y1, x0, y0);
    theApplication->releasePen();
    return true;
}

bool GameScreen::drawOutlines(const uint32_t* const& list, const int& count, const int& penWidth,
                              const uint32_t& colour) {
    theApplication->setPen(penWidth, colour);
    for (int i = 0; i < count; ++i) {
        const uint32_t code = list[i];
        const int x1 = static_cast<int>(code >> 12 & 0xF) * cellWidth + boardLeft + cellWidth / 2;
        const int y1 = static_cast<int>(code >> 8 & 0xF) * cellHeight + boardTop + cellHeight / 2;
        const int x2 = static_cast<int>(code >> 4 & 0xF) * cellWidth + boardLeft + cellWidth / 2;
        const int y2 = static_cast<int>(code & 0xF) * cellHeight + boardTop + cellHeight / 2;
        // Each further corner is the last one plus the last side turned a quarter.
        const int x3 = x2 - (y2 - y1);
        const int y3 = y2 + (x2 - x1);
        const int x4 = x3 - (y3 - y2);
        const int y4 = y3 + (x3 - x2);
        theApplication->drawLine(x1, y1, x2, y2);
        theApplication->drawLine(x2, y2, x3, y3);
        theApplication->drawLine(x3, y3, x4, y4);
        theApplication->drawLine(x4, y4, x1, y1);
    }
    theApplication->releasePen();
    return true;
}

void GameScreen::handleEvent(const int& event) {
    if (panel() != nullptr) {
        // The panel may close and this screen be deleted inside this call.
        panel()->handleEvent(event);
        return;
    }
    if (!playing) return;
    const int column = pointedColumn(theApplication->mouseX);
    const int row = pointedRow(theApplication->mouseY);
    const int button = buttonAt(theApplication->mouseX - x, theApplication->mouseY - y);
    if (event == EVENT_MOUSE_MOVE) {
        cursorColumn = column;
        cursorRow = row;
        unhighlightButtons();
        if (button != -1) highlightButton(button);
    } else if (event == EVENT_PAUSE) {
        pause();
    } else if (paused) {
        // Exit may delete this screen inside this call.
        handlePausedEvent(event, button);
    } else if (event == EVENT_MOUSE_DOWN) {
        if (button == CHILD_EXIT_BUTTON) {
            clickButton(button);
            return;
        }
        clickButton(button);
        if (!acceptsMove(column, row)) return;
        const int buttons = theApplication->mouseButtons & (BUTTON_LEFT | BUTTON_RIGHT | BUTTON_MIDDLE);
        if (buttons == BUTTON_LEFT)
            makeMove(column, row, true);
        else if (buttons == BUTTON_RIGHT)
            makeMove(column, row, false);
    } else if (event == EVENT_KEY_DOWN || event == EVENT_KEY_UP) {
        handleKey(event);
    } else if (event == EVENT_MOUSE_WHEEL) {
        // After one turn the blocks travel, so an event turns a group at most once.
        if (theApplication->wheelSteps != 0 && acceptsMove(column, row))
            makeMove(column, row, theApplication->wheelSteps > 0);
    }
}

void GameScreen::onChildDone(Sprite* const& child, const int& code) {
    if (child == nullptr || child != panel() || code != panelDoneCode || parent == nullptr) return;
    parent->setFrame(SCREEN_TITLE);
}

int GameScreen::buttonAt(const int& px, const int& py) {
    for (int i = CHILD_SOUND_BUTTON; i <= CHILD_LOGO; ++i) {
        Sprite* const button = children[i];
        if (button->getX() <= px && px < button->getX() + button->getWidth() && button->getY() <= py &&
            py < button->getY() + button->getHeight())
            return i;
    }
    return -1;
}

void GameScreen::unhighlightButtons() {
    for (int i = CHILD_SOUND_BUTTON; i <= CHILD_LOGO; ++i)
        if (children[i]->getFrame() % 2 == 1) children[i]->prevFrame();
}

void GameScreen::highlightButton(const int& index) {
    if (children[index]->getFrame() % 2 == 0) children[index]->nextFrame();
}

void GameScreen::clickButton(const int& index) {
    if (index == CHILD_SOUND_BUTTON) {
        theApplication->hasSound = !theApplication->hasSound;
        children[CHILD_SOUND_BUTTON]->setFrame(theApplication->hasSound ? 0 : 2);
    } else if (index == CHILD_EXIT_BUTTON) {
        // The manager deletes this screen inside this call.
        if (parent != nullptr) parent->setFrame(SCREEN_TITLE);
    } else if (index == CHILD_LOGO) {
        openWebPage(MAKER_WEB_ADDRESS);
    }
}
