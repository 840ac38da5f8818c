// The bordered background of the menu panels, their button hit test, their
// closing keys and the keys' highlight.
#include "screens/panel_shape.h"

#include "app/application.h"
#include "app/key_actions.h"
#include "display/sprite.h"

bool drawPanelFrame(const int& x, const int& y, const int& width, const int& height, const uint32_t& background,
                    const uint32_t& border, const int& borderWidth) {
    Application& app = *theApplication;
    if (!app.fillRect(x, y, width, height, background)) return false;
    if (!app.beginDraw()) return false;
    // Once the device context is held it is always given back, so a failed
    // step cannot leave the back buffer busy for the rest of the frame.
    bool drawn = app.setPen(borderWidth, border);
    if (drawn) {
        drawn = app.drawLine(x, y, x + width, y) && app.drawLine(x + width, y, x + width, y + height) &&
                app.drawLine(x + width, y + height, x, y + height) && app.drawLine(x, y + height, x, y);
        app.releasePen();
    }
    app.endDraw();
    return drawn;
}

bool nodeContains(Sprite* const& node, const int& px, const int& py) {
    if (node == nullptr) return false;
    return px >= node->getX() && px < node->getRight() && py >= node->getY() && py < node->getBottom();
}

bool closesPanel() {
    const KeyAction action = keyAction(KeyContext::Panel, theApplication->keyCode, theApplication->keyModifiers);
    return action == KeyAction::Confirm || action == KeyAction::Close;
}

int steppedHighlight(const int& current, const int& first, const int& last, const int& step) {
    if (current == -1) return step > 0 ? first : last;
    const int count = last - first + 1;
    return first + ((current - first + step) % count + count) % count;
}
