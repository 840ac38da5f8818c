// What the menu panels share without a common class: the bordered
// background they draw, the half-open hit rectangle of their buttons and
// the keys that close them and move their highlight.
#pragma once

#include <cstdint>

class Sprite;

// Fills the rectangle with the background colour and frames it with four
// lines of the border width; false when a drawing step fails.
bool drawPanelFrame(const int& x, const int& y, const int& width, const int& height, const uint32_t& background,
                    const uint32_t& border, const int& borderWidth);

// True when the point, in the node's parent coordinates, lies from its left
// and top edges (inclusive) to its right and bottom edges (exclusive).
bool nodeContains(Sprite* const& node, const int& px, const int& py);

// True when the key just pressed presses OK of a panel that Escape also
// closes (Enter, Escape and their pad buttons).
bool closesPanel();

// The button the keys highlight next among first..last: one step on from
// current, wrapping; from none (-1), forward starts at first and backward
// at last.
int steppedHighlight(const int& current, const int& first, const int& last, const int& step);
