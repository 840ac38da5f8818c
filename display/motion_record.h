// What the pictures drawn between two ticks know of one node: how the last
// tick's picture showed it, and how far its moves have carried it since.
#pragma once

struct MotionRecord {
    // The tick picture this record belongs to; 0 for a node made since, which
    // such pictures draw as it is.
    unsigned picture = 0;
    int shownX = 0;
    int shownY = 0;
    int shownAlpha = 0;
    // The sum of the node's moves (Sprite::moveX, moveY, moveBy) since then.
    int travelX = 0;
    int travelY = 0;
};
