// The high scores panel: shows the stored list, which Reset scores replaces
// by the anonymous defaults, and reports back to the title screen on OK.
#include "screens/high_scores_screen.h"

#include "app/application.h"
#include "media/image.h"
#include "screens/panel_shape.h"

namespace {

constexpr int LIST_MARGIN = 40;
constexpr int FIRST_ROW_TOP = 70;
constexpr int ROW_SPACING = 25;
constexpr int ROW_HEIGHT = 20;
constexpr int TEXT_HEIGHT = 16;
constexpr uint32_t TEXT_COLOUR = 0xFFFFFF;
constexpr int ALIGN_LEFT = 0;
constexpr int ALIGN_RIGHT = 2;

}  // namespace

HighScoresScreen::HighScoresScreen(Sprite* const& parent_, const int& x_, const int& y_, const int& w, const int& h,
                                   const uint32_t& background, const uint32_t& border, int borderWidth_) {
    init(parent_, x_, y_, nullptr);
    create(w, h, background, border, borderWidth_);
}

HighScoresScreen::~HighScoresScreen() {
    delete okImage;
    delete resetImage;
    delete nameHeadingImage;
    delete scoreHeadingImage;
}

void HighScoresScreen::create(const int& w, const int& h, const uint32_t& background, const uint32_t& border,
                              int borderWidth_) {
    setSize(w, h);
    backgroundColour = background;
    borderColour = border;
    borderWidth = borderWidth_;

    okImage = new Image("ok.bmp", 22, 24, 1, 2, 2);
    resetImage = new Image("resetscores.bmp", 96, 24, 1, 2, 2);
    nameHeadingImage = new Image("name.bmp", 39, 11, 1, 1, 1);
    scoreHeadingImage = new Image("score.bmp", 42, 12, 1, 1, 1);
    okImage->createSurface();
    resetImage->createSurface();
    nameHeadingImage->createSurface();
    scoreHeadingImage->createSurface();

    table.load(HighScoreDefaults::Anonymous);

    allocateChildren(4);
    children[OK_BUTTON] = new Sprite(this, w / 2 + 70, h - okImage->frameHeight - 40, okImage);
    children[RESET_BUTTON] = new Sprite(this, w / 2 - 70, h - resetImage->frameHeight - 40, resetImage);
    children[2] = new Sprite(this, LIST_MARGIN, 40, nameHeadingImage);
    children[3] = new Sprite(this, w - scoreHeadingImage->frameWidth - LIST_MARGIN, 40, scoreHeadingImage);
}

int HighScoresScreen::buttonAt(const int& px, const int& py) {
    if (nodeContains(children[OK_BUTTON], px, py)) return OK_BUTTON;
    if (nodeContains(children[RESET_BUTTON], px, py)) return RESET_BUTTON;
    return -1;
}

bool HighScoresScreen::drawRows(const int& left, const int& top) {
    Application& app = *theApplication;
    if (!app.beginDraw()) return false;
    bool drawn = true;
    for (int row = 0; drawn && row < HighScoreTable::ROW_COUNT; ++row) {
        const int rowLeft = left + LIST_MARGIN;
        const int rowTop = top + FIRST_ROW_TOP + ROW_SPACING * row;
        const int rowRight = left + width - LIST_MARGIN;
        const int rowBottom = rowTop + ROW_HEIGHT;
        drawn = app.setFont("Arial", TEXT_HEIGHT, TEXT_COLOUR);
        if (!drawn) break;
        // A long name is not shortened: it may run under its score.
        drawn = app.drawText(rowLeft, rowTop, rowRight, rowBottom, ALIGN_LEFT, table.getName(row)) &&
                app.drawNumber(rowLeft, rowTop, rowRight, rowBottom, ALIGN_RIGHT, table.getScore(row));
        app.releaseFont();
    }
    app.endDraw();
    return drawn;
}

bool HighScoresScreen::draw() {
    const int left = originX + x;
    const int top = originY + y;
    if (!drawPanelFrame(left, top, width, height, backgroundColour, borderColour, borderWidth)) return false;
    if (!drawRows(left, top)) return false;
    for (int i = 0; i < childCount; ++i)
        if (children[i] != nullptr && !children[i]->draw()) return false;
    return true;
}

void HighScoresScreen::handleEvent(const int& event) {
    const int hit = buttonAt(theApplication->mouseX - (originX + x), theApplication->mouseY - (originY + y));
    if (event == EVENT_MOUSE_MOVE) {
        children[OK_BUTTON]->setFrame(0);
        children[RESET_BUTTON]->setFrame(0);
        if (hit != -1) children[hit]->setFrame(1);
    } else if (event == EVENT_MOUSE_DOWN) {
        if (hit == OK_BUTTON) {
            // The parent deletes this panel inside the call: nothing may follow it.
            if (parent != nullptr) parent->onChildDone(this, 0);
            return;
        }
        if (hit == RESET_BUTTON) table.reset();
    } else if (event == EVENT_KEY_DOWN && closesPanel()) {
        // Only OK has a key: no key resets the scores.
        if (parent != nullptr) parent->onChildDone(this, 0);
    }
}
