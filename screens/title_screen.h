// The title menu: Start, High scores, Options, Help and Exit over a
// background, with a slot for the modal panel that two of them open.
#pragma once

#include "display/sprite.h"

class TitleScreen : public Sprite {
public:
    // Child slots, in drawing and hit-test order.
    static constexpr int BACKGROUND = 0;
    static constexpr int START_BUTTON = 1;
    static constexpr int HIGH_SCORES_BUTTON = 2;
    static constexpr int OPTIONS_BUTTON = 3;
    static constexpr int HELP_BUTTON = 4;
    static constexpr int EXIT_BUTTON = 5;
    static constexpr int PANEL_SLOT = 6;

    TitleScreen(Sprite* const& parent, const int& x, const int& y);
    ~TitleScreen() override;

    void create();
    void onChildDone(Sprite* const& child, const int& code) override;
    void handleEvent(const int& event) override;

    // The button slot (1 to 5) under a point in screen coordinates, or -1.
    int buttonAt(const int& px, const int& py);

private:
    // Does what a press on the button in that slot does (-1: nothing).
    void pressButton(const int& button);
    // The keyboard and pad: move the highlight, press the highlighted button.
    void handleKey();
    // The slot of the button shown highlighted (by the mouse or the keys), or -1.
    int highlightedButton();
    void moveHighlight(const int& step);

    Image* backgroundImage = nullptr;
    Image* startImage = nullptr;
    Image* highScoresImage = nullptr;
    Image* optionsImage = nullptr;
    Image* helpImage = nullptr;
    Image* exitImage = nullptr;
    // The button the keys have highlighted, -1 until a key moves the
    // highlight and again once the mouse moves: only it answers Enter.
    int keyHighlight = -1;
};
