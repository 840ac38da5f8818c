// The options panel: a sound switch showing hasSound and an OK button that
// reports back to the title screen, by mouse or by key.
#include "screens/options_screen.h"

#include "app/application.h"
#include "app/key_actions.h"
#include "media/image.h"
#include "screens/panel_shape.h"

namespace {

// Frames of the sound button; each has its highlighted look one frame later.
constexpr int SOUND_ON_FRAME = 0;
constexpr int SOUND_OFF_FRAME = 2;

int soundFrame() { return theApplication->hasSound ? SOUND_ON_FRAME : SOUND_OFF_FRAME; }

}  // namespace

OptionsScreen::OptionsScreen(Sprite* const& parent_, const int& x_, const int& y_, const int& w, const int& h,
                             const uint32_t& background, const uint32_t& border, int borderWidth_) {
    init(parent_, x_, y_, nullptr);
    create(w, h, background, border, borderWidth_);
}

OptionsScreen::~OptionsScreen() {
    delete soundImage;
    delete okImage;
}

void OptionsScreen::create(const int& w, const int& h, const uint32_t& background, const uint32_t& border,
                           int borderWidth_) {
    setSize(w, h);
    backgroundColour = background;
    borderColour = border;
    borderWidth = borderWidth_;

    soundImage = new Image("sound.bmp", 104, 68, 1, 4, 4, 0, 0);
    soundImage->createSurface();
    okImage = new Image("ok.bmp", 22, 24, 1, 2, 2);
    okImage->createSurface();

    allocateChildren(2);
    children[SOUND_BUTTON] = new Sprite(this, (w - soundImage->frameWidth) / 2,
                                        h / 3 - soundImage->frameHeight / 2, soundImage);
    children[OK_BUTTON] =
        new Sprite(this, (w - okImage->frameWidth) / 2, (2 * h) / 3 - okImage->frameHeight / 2, okImage);
    children[SOUND_BUTTON]->setFrame(soundFrame());
}

int OptionsScreen::buttonAt(const int& px, const int& py) {
    const int panelX = px - (originX + x);
    const int panelY = py - (originY + y);
    for (int i = 0; i < childCount; ++i)
        if (nodeContains(children[i], panelX, panelY)) return i;
    return -1;
}

bool OptionsScreen::draw() {
    if (!drawPanelFrame(originX + x, originY + y, width, height, backgroundColour, borderColour, borderWidth))
        return false;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    return true;
}

void OptionsScreen::handleEvent(const int& event) {
    const int hit = buttonAt(theApplication->mouseX, theApplication->mouseY);
    if (event == EVENT_MOUSE_MOVE) {
        keyHighlight = -1;
        for (int i = 0; i < childCount; ++i)
            if (children[i] != nullptr && children[i]->getFrame() % 2 != 0) children[i]->prevFrame();
        if (hit != -1) children[hit]->nextFrame();
    } else if (event == EVENT_MOUSE_DOWN) {
        if (hit == SOUND_BUTTON) {
            switchSound();
        } else if (hit == OK_BUTTON && parent != nullptr) {
            // The parent deletes this panel inside the call: nothing may follow it.
            parent->onChildDone(this, 0);
            return;
        }
    } else if (event == EVENT_KEY_DOWN) {
        handleKey();
    }
}

void OptionsScreen::switchSound() {
    theApplication->hasSound = !theApplication->hasSound;
    children[SOUND_BUTTON]->setFrame(soundFrame());
}

void OptionsScreen::handleKey() {
    const KeyAction action = keyAction(KeyContext::Menu, theApplication->keyCode, theApplication->keyModifiers);
    if (action == KeyAction::Next || action == KeyAction::Previous) {
        moveHighlight(action == KeyAction::Next ? 1 : -1);
    } else if (action == KeyAction::Confirm && keyHighlight == SOUND_BUTTON) {
        switchSound();
        // The switch keeps the keys' highlight, so the player sees where it is.
        children[SOUND_BUTTON]->nextFrame();
    } else if (((action == KeyAction::Confirm && keyHighlight == OK_BUTTON) || closesPanel()) && parent != nullptr) {
        // The parent deletes this panel inside the call: nothing may follow it.
        parent->onChildDone(this, 0);
    }
}

void OptionsScreen::moveHighlight(const int& step) {
    int current = -1;
    for (int i = SOUND_BUTTON; i <= OK_BUTTON; ++i)
        if (children[i]->getFrame() % 2 != 0) current = i;
    keyHighlight = steppedHighlight(current, SOUND_BUTTON, OK_BUTTON, step);
    for (int i = SOUND_BUTTON; i <= OK_BUTTON; ++i) {
        const int normalFrame = children[i]->getFrame() - children[i]->getFrame() % 2;
        children[i]->setFrame(i == keyHighlight ? normalFrame + 1 : normalFrame);
    }
}
