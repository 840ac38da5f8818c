// The options panel over the title menu: the sound switch and OK.
#pragma once

#include <cstdint>

#include "display/sprite.h"

class OptionsScreen : public Sprite {
public:
    static constexpr int SOUND_BUTTON = 0;
    static constexpr int OK_BUTTON = 1;

    OptionsScreen(Sprite* const& parent, const int& x, const int& y, const int& width, const int& height,
                  const uint32_t& backgroundColour, const uint32_t& borderColour, int borderWidth);
    ~OptionsScreen() override;

    void create(const int& width, const int& height, const uint32_t& backgroundColour,
                const uint32_t& borderColour, int borderWidth);
    bool draw() override;
    void handleEvent(const int& event) override;

    // The child under a point in screen coordinates, or -1.
    int buttonAt(const int& px, const int& py);

private:
    // Flips hasSound, as a press on the switch does.
    void switchSound();
    // The keyboard and pad: Up, Down and Tab move the highlight over the
    // switch and OK, Enter or Space presses the highlighted one.
    void handleKey();
    void moveHighlight(const int& step);

    Image* soundImage = nullptr;
    Image* okImage = nullptr;
    uint32_t backgroundColour = 0;
    uint32_t borderColour = 0;
    int borderWidth = 0;
    // The button the keys have highlighted, -1 until a key moves the
    // highlight and again once the mouse moves.
    int keyHighlight = -1;
};
