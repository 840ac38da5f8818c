// The high scores panel over the title menu: the ten best names and scores,
// OK and Reset scores.
#pragma once

#include <cstdint>

#include "display/sprite.h"
#include "screens/high_score_table.h"

class HighScoresScreen : public Sprite {
public:
    static constexpr int OK_BUTTON = 0;
    static constexpr int RESET_BUTTON = 1;

    HighScoresScreen(Sprite* const& parent, const int& x, const int& y, const int& width, const int& height,
                     const uint32_t& backgroundColour, const uint32_t& borderColour, int borderWidth);
    ~HighScoresScreen() override;

    void create(const int& width, const int& height, const uint32_t& backgroundColour,
                const uint32_t& borderColour, int borderWidth);
    bool draw() override;
    void handleEvent(const int& event) override;

    // The button under a point in panel coordinates, or -1.
    int buttonAt(const int& px, const int& py);
    // The list as it is shown.
    const HighScoreTable& getTable() const { return table; }

private:
    bool drawRows(const int& left, const int& top);

    Image* okImage = nullptr;
    Image* resetImage = nullptr;
    Image* nameHeadingImage = nullptr;
    Image* scoreHeadingImage = nullptr;
    HighScoreTable table;
    uint32_t backgroundColour = 0;
    uint32_t borderColour = 0;
    int borderWidth = 0;
};
