// The playing screen: the board, its rules and scoring, counters, buttons and music.
#pragma once

#include <cstdint>

#include "display/sprite.h"

class Block;
class Image;
class NumberDisplay;
class Sound;

// Child slots of the game screen, in drawing order.
constexpr int CHILD_BACKGROUND = 0;
constexpr int CHILD_LEVEL = 1;
constexpr int CHILD_SCORE = 2;
constexpr int CHILD_REMOVED = 3;
constexpr int CHILD_NEXT_LEVEL = 4;
constexpr int CHILD_COMBO = 5;
constexpr int CHILD_CHAIN = 6;
constexpr int CHILD_SOUND_BUTTON = 7;
constexpr int CHILD_EXIT_BUTTON = 8;
constexpr int CHILD_LOGO = 9;
constexpr int CHILD_BONUS = 10;
constexpr int CHILD_FIRST_BLOCK = 11;

class GameScreen : public Sprite {
public:
    GameScreen(Sprite* const& parent, const int& x, const int& y);
    ~GameScreen() override;

    void create();
    void tick() override;
    bool draw() override;
    void handleEvent(const int& event) override;
    void onChildDone(Sprite* const& child, const int& code) override;

    // Buttons and drawing.
    int buttonAt(const int& px, const int& py);
    void highlightButton(const int& index);
    void unhighlightButtons();
    void clickButton(const int& index);
    bool drawTimeBar();
    // Whether the bar changed by more than a pixel since the last tick's
    // picture, and so glides between ticks.
    bool timeBarGlides();
    bool drawCursor();
    bool drawOutlines(const uint32_t* const& list, const int& count, const int& penWidth, const uint32_t& colour);

    // The board.
    int cellX(const int& column);
    int cellY(const int& row);
    int pointedColumn(const int& mx);
    int pointedRow(const int& my);
    bool isValidGroup(const int& column, const int& row);
    void placeBlock(const int& index, Block* const& block);
    void rotateGroup(const int& column, const int& row, const bool& anticlockwise);
    void makeMove(const int& column, const int& row, const bool& anticlockwise);
    bool squareCorners(const int& x1, const int& y1, const int& x2, const int& y2, int& i1, int& i2, int& i3,
                       int& i4);
    bool cornersMatch(const int& i1, const int& i2, const int& i3, const int& i4);
    bool findMatches();
    Sound* matchSound(const int& found);
    void collapse();
    void appendSquare(const int& x1, const int& y1, const int& x2, const int& y2, uint32_t*& list, int& capacity,
                      int& count);
    void playStep();

    // Counters, time and the end of the game.
    void addScore(const int& points);
    void addTime(const int& ticks);
    void spendTime(const int& ticks);
    void endGame();
    void setLevel(const int& value);
    void addRemoved(const int& count);
    void setChain(const int& value);
    void setCombo(const int& value);
    void playSound(Sound* const& sound);

    // Bonus block, floating points and hints.
    void showBonus();
    void hideBonus();
    void animateBonus();
    void showPoints();
    void hidePoints();
    void floatPoints();
    void findHints();
    void clearHints();

    // Pause, keyboard and pad play.
    void handleKey(const int& event);
    void handlePausedEvent(const int& event, const int& button);
    bool acceptsMove(const int& column, const int& row);
    void moveCursor(const int& columnStep, const int& rowStep);
    void pause();
    void resume();
    bool drawPaused();

    // Constants of the board and the rules.
    int boardColumns = 8;
    int boardRows = 8;
    int boardLeft = 160;
    int boardTop = 100;
    int boardWidth = 480;
    int boardHeight = 480;
    int cellWidth = 60;
    int cellHeight = 60;
    int colourCount = 8;
    int moveSpeed = 20;
    int timeUnit = 5;
    int blocksPerLevel = 30;
    int bonusInterval = 50;
    int maxTime = 2000;

    // Game state.
    int level = 1;
    int score = 0;
    int timeLeft = 1000;
    int chain = 0;
    int combo = 0;
    int removedCount = 0;
    int nextLevelAt = 30;
    int lastPoints = 0;
    int cursorColumn = -1;
    int cursorRow = -1;
    uint32_t* matchList = nullptr;
    int matchCapacity = 0;
    int matchCount = 0;
    uint32_t matchLineColour = 0;
    uint32_t* hintList = nullptr;
    int hintCapacity = 0;
    int hintCount = 0;
    bool playing = true;
    bool moving = false;
    bool removing = false;
    bool playerMoved = false;
    bool bonusHit = false;
    int bonusMark = -10;
    // Nothing runs and a notice hides the board until a key or click.
    bool paused = false;
    // The key that paused or resumed the game: its auto-repeat is no new
    // press, up to its release.
    int swallowedKey = 0;
    // The time the last tick's picture showed: between ticks the bar glides
    // from it to the time now.
    int timeShown = 1000;
    Block** board = nullptr;

    // The bonus block's blink phase, kept across ticks and games.
    static int bonusBlinkToggle;

    // Pictures and sounds, owned.
    Image* backgroundImage = nullptr;
    Image* blocksImage = nullptr;
    Image* smallDigitsImage = nullptr;
    Image* largeDigitsImage = nullptr;
    Image* soundButtonImage = nullptr;
    Image* exitButtonImage = nullptr;
    Image* logoImage = nullptr;
    Sound* chainOneSound = nullptr;
    Sound* chainTwoSound = nullptr;
    Sound* chainMoreSound = nullptr;
    Sound* bonusSound = nullptr;
    Sound* manyMatchesSound = nullptr;
    Sound* timeUpSound = nullptr;
    Sound* music = nullptr;

    // Children the rules talk to; the child slots own them.
    NumberDisplay* levelDisplay = nullptr;
    NumberDisplay* scoreDisplay = nullptr;
    NumberDisplay* removedDisplay = nullptr;
    NumberDisplay* nextLevelDisplay = nullptr;
    NumberDisplay* comboDisplay = nullptr;
    NumberDisplay* chainDisplay = nullptr;
    NumberDisplay* pointsDisplay = nullptr;
    Block* bonusBlock = nullptr;

    // Slots after the board blocks.
    int pointsSlot() { return CHILD_FIRST_BLOCK + boardColumns * boardRows; }
    int panelSlot() { return pointsSlot() + 1; }
    Sprite* panel() { return children[panelSlot()]; }
};
