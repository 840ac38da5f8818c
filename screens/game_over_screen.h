// The end-of-game panel: a name for a qualifying score, otherwise a tip.
#pragma once

#include <cstdint>

#include "display/sprite.h"
#include "screens/high_score_table.h"

class TextField;

class GameOverScreen : public Sprite {
public:
    // The code reported to the game screen when OK is pressed.
    static constexpr int DONE_CODE = 10;
    static constexpr int OK_BUTTON = 0;

    GameOverScreen(Sprite* const& parent, const int& x, const int& y, const int& width, const int& height,
                   const uint32_t& backgroundColour, const uint32_t& borderColour, int borderWidth,
                   const int& score);
    ~GameOverScreen() override;

    void create(const int& width, const int& height, const uint32_t& backgroundColour,
                const uint32_t& borderColour, int borderWidth, const int& score);
    bool draw() override;
    void handleEvent(const int& event) override;

    // The program is closing: a panel still taking a name enters its score
    // with the name typed so far, as OK would, and scores entered earlier
    // that had to wait get their last try. Any still waiting are reported
    // lost on standard error.
    static void storeScoreOfOpenPanel();

    bool isQualified() const { return qualified; }
    // The name field, present only for a qualifying score.
    TextField* getNameField() const { return nameField; }

private:
    void buildQualifiedLayout();
    void buildTipLayout();
    // OK, by the mouse or a key: enters a qualifying score and reports back.
    void pressOk();
    void storeScore();

    // The qualifying panel whose score has not been entered yet, if any.
    static GameOverScreen* waitingForName;

    uint32_t backgroundColour = 0;
    uint32_t borderColour = 0;
    int borderWidth = 0;
    uint32_t score = 0;
    bool qualified = false;
    bool scoreEntered = false;
    char name[HighScoreTable::NAME_CAPACITY] = {};
    TextField* nameField = nullptr;
    Image* gameOverImage = nullptr;
    Image* okImage = nullptr;
    Image* congratulationsImage = nullptr;
    Image* tipImage = nullptr;
};
