// The title menu: highlights the button under the mouse or chosen with the
// keys, starts a game, opens the high scores and options panels, the help,
// or ends the program.
#include "screens/title_screen.h"

#include <new>

#include "app/application.h"
#include "app/key_actions.h"
#include "media/image.h"
#include "screens/high_scores_screen.h"
#include "screens/options_screen.h"
#include "screens/panel_shape.h"

namespace {

constexpr int SCREEN_WIDTH = 800;
constexpr uint32_t PANEL_BACKGROUND = 0x000022;
constexpr uint32_t PANEL_BORDER = 0xFF9900;
constexpr int PANEL_BORDER_WIDTH = 2;

// Buttons are centred on the screen by their frame width, at fixed heights.
Sprite* makeButton(Sprite* const& parent, Image* const& image, const int& y) {
    return new Sprite(parent, (SCREEN_WIDTH - image->frameWidth) / 2, y, image);
}

}  // namespace

TitleScreen::TitleScreen(Sprite* const& parent_, const int& x_, const int& y_) {
    init(parent_, x_, y_, nullptr);
    create();
}

TitleScreen::~TitleScreen() {
    delete backgroundImage;
    delete startImage;
    delete highScoresImage;
    delete optionsImage;
    delete helpImage;
    delete exitImage;
}

void TitleScreen::create() {
    backgroundImage = new Image("title.bmp", 800, 600, 1, 1, 1);
    startImage = new Image("start.bmp", 83, 76, 1, 2, 2);
    highScoresImage = new Image("highscores.bmp", 102, 56, 1, 2, 2);
    optionsImage = new Image("options.bmp", 73, 56, 1, 2, 2);
    helpImage = new Image("help.bmp", 44, 56, 1, 2, 2);
    exitImage = new Image("exit.bmp", 44, 56, 1, 2, 2);
    backgroundImage->createSurface();
    startImage->createSurface();
    highScoresImage->createSurface();
    optionsImage->createSurface();
    helpImage->createSurface();
    exitImage->createSurface();

    allocateChildren(7);
    children[BACKGROUND] = new Sprite(this, 0, 0, backgroundImage);
    children[START_BUTTON] = makeButton(this, startImage, 216);
    children[HIGH_SCORES_BUTTON] = makeButton(this, highScoresImage, 293);
    children[OPTIONS_BUTTON] = makeButton(this, optionsImage, 324);
    children[HELP_BUTTON] = makeButton(this, helpImage, 355);
    children[EXIT_BUTTON] = makeButton(this, exitImage, 450);
}

int TitleScreen::buttonAt(const int& px, const int& py) {
    for (int i = START_BUTTON; i <= EXIT_BUTTON; ++i)
        if (nodeContains(children[i], px, py)) return i;
    return -1;
}

void TitleScreen::onChildDone(Sprite* const& child, const int& code) {
    if (child == nullptr || child != children[PANEL_SLOT] || code != 0) return;
    Sprite* panel = children[PANEL_SLOT];
    children[PANEL_SLOT] = nullptr;
    delete panel;
}

void TitleScreen::handleEvent(const int& event) {
    if (children[PANEL_SLOT] != nullptr) {
        children[PANEL_SLOT]->handleEvent(event);
        return;
    }
    const int hit = buttonAt(theApplication->mouseX, theApplication->mouseY);
    if (event == EVENT_MOUSE_MOVE) {
        keyHighlight = -1;
        for (int i = START_BUTTON; i <= EXIT_BUTTON; ++i) children[i]->setFrame(0);
        if (hit != -1) children[hit]->setFrame(1);
        return;
    }
    if (event == EVENT_KEY_DOWN) {
        handleKey();
        return;
    }
    if (event == EVENT_MOUSE_DOWN) pressButton(hit);
}

void TitleScreen::handleKey() {
    switch (keyAction(KeyContext::Menu, theApplication->keyCode, theApplication->keyModifiers)) {
        case KeyAction::Next: moveHighlight(1); return;
        case KeyAction::Previous: moveHighlight(-1); return;
        // The button may delete this screen inside the call.
        case KeyAction::Confirm: pressButton(keyHighlight); return;
        default: return;
    }
}

int TitleScreen::highlightedButton() {
    for (int i = START_BUTTON; i <= EXIT_BUTTON; ++i)
        if (children[i]->getFrame() == 1) return i;
    return -1;
}

void TitleScreen::moveHighlight(const int& step) {
    // On from the button shown highlighted, by the mouse or the keys.
    keyHighlight = steppedHighlight(highlightedButton(), START_BUTTON, EXIT_BUTTON, step);
    for (int i = START_BUTTON; i <= EXIT_BUTTON; ++i) children[i]->setFrame(i == keyHighlight ? 1 : 0);
}

void TitleScreen::pressButton(const int& button) {
    switch (button) {
        case START_BUTTON:
            // The screen manager deletes this screen inside the call.
            if (parent != nullptr) parent->nextFrame();
            return;
        case HIGH_SCORES_BUTTON:
            // Without memory for a panel the slot stays empty and the menu usable.
            children[PANEL_SLOT] = new (std::nothrow)
                HighScoresScreen(this, 200, 110, 400, 380, PANEL_BACKGROUND, PANEL_BORDER, PANEL_BORDER_WIDTH);
            return;
        case OPTIONS_BUTTON:
            children[PANEL_SLOT] = new (std::nothrow)
                OptionsScreen(this, 300, 200, 200, 200, PANEL_BACKGROUND, PANEL_BORDER, PANEL_BORDER_WIDTH);
            return;
        case HELP_BUTTON:
            theApplication->showHelp();
            return;
        case EXIT_BUTTON:
            theApplication->closeWindow();
            return;
        default:
            return;
    }
}
