// Moves and fades between two ticks: remembers how every node of the tree
// looked in the last tick's picture and, for a picture drawn between ticks,
// puts whatever moved or faded since part of the way there, then back.
#pragma once

#include <vector>

#include "platform/drawing/rect.h"

class Sprite;

class TickMotion {
public:
    // Just before a tick's picture is drawn: every node as it is now is what
    // that picture shows, and nothing has moved since.
    void recordShown(Sprite* const& root);
    // After the tick: whether a node moved or faded since that picture. The
    // nodes that moved are added to travelled, when given.
    bool changed(Sprite* const& root, std::vector<Sprite*>* const& travelled);

    // Places the nodes as they are at fraction (0 to 1) of the way from the
    // last tick's picture to now, for one picture; restore() puts back
    // exactly what was there.
    void placeBetween(Sprite* const& root, const double& fraction);
    void restore();
    // Where the nodes that moved or faded (and their children) are, as last
    // placed, a pixel around: a picture that differs from the last one at
    // another fraction only by them differs only inside this and the area
    // of that one.
    const platform::Rect& placedArea() const { return placedArea_; }

    // Whether the node came where it is by moves alone since the last tick's
    // picture; a node placed anew, made since or never recorded jumped.
    static bool travelled(const Sprite& node);
    // Whether its opacity changed by a fade; switching between hidden and
    // opaque is showing or hiding it, not a fade.
    static bool faded(const Sprite& node);
    // from plus the fraction of the way to to, rounded to the nearest.
    static int between(const int& from, const int& to, const double& fraction);

private:
    void place(Sprite& node, const double& fraction, const int& inheritedX, const int& inheritedY,
               const bool& moving);

    struct Saved {
        Sprite* node;
        int originX;
        int originY;
        int x;
        int y;
        int alpha;
    };
    std::vector<Saved> saved_;
    platform::Rect placedArea_;
};
