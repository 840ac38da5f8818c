// Moves and fades between two ticks: the record of the last tick's picture,
// and the nodes placed part of the way for a picture between ticks.
#include "display/tick_motion.h"

#include <cmath>

#include "display/sprite.h"

namespace {

// The tick picture now recorded; records of any other are out of date. One
// count for the whole program, so that no record is mistaken for another's.
unsigned currentPicture = 0;

bool recorded(const Sprite& node) { return currentPicture != 0 && node.motion.picture == currentPicture; }

template <typename Visit>
void walk(Sprite* const& node, const Visit& visit) {
    if (node == nullptr) return;
    visit(*node);
    for (int i = 0; i < node->childCount; ++i) walk(node->children[i], visit);
}

}  // namespace

void TickMotion::recordShown(Sprite* const& root) {
    // 0 stands for "never recorded".
    if (++currentPicture == 0) ++currentPicture;
    walk(root, [](Sprite& node) {
        node.motion = MotionRecord{currentPicture, node.x, node.y, node.alpha, 0, 0};
    });
}

bool TickMotion::changed(Sprite* const& root, std::vector<Sprite*>* const& travelled) {
    bool any = false;
    walk(root, [&](Sprite& node) {
        const bool moved = TickMotion::travelled(node);
        if (moved && travelled != nullptr) travelled->push_back(&node);
        any = any || moved || faded(node);
    });
    return any;
}

bool TickMotion::travelled(const Sprite& node) {
    const MotionRecord& record = node.motion;
    return recorded(node) && (record.travelX != 0 || record.travelY != 0) &&
           node.x - record.shownX == record.travelX && node.y - record.shownY == record.travelY;
}

bool TickMotion::faded(const Sprite& node) {
    const int before = node.motion.shownAlpha;
    const bool switched = (before == 0 && node.alpha == opaqueAlpha) || (before == opaqueAlpha && node.alpha == 0);
    return recorded(node) && node.alpha != before && !switched;
}

int TickMotion::between(const int& from, const int& to, const double& fraction) {
    return from + static_cast<int>(std::lround(fraction * (to - from)));
}

void TickMotion::placeBetween(Sprite* const& root, const double& fraction) {
    restore();
    placedArea_ = platform::Rect{};
    if (root != nullptr) place(*root, fraction, 0, 0, false);
}

void TickMotion::place(Sprite& node, const double& fraction, const int& inheritedX, const int& inheritedY,
                       const bool& movingParent) {
    int ownX = 0;
    int ownY = 0;
    const bool moved = travelled(node);
    if (moved) {
        ownX = between(node.motion.shownX, node.x, fraction) - node.x;
        ownY = between(node.motion.shownY, node.y, fraction) - node.y;
    }
    const bool fades = faded(node);
    const int alpha = fades ? between(node.motion.shownAlpha, node.alpha, fraction) : node.alpha;
    const bool moving = movingParent || moved || fades;
    if (inheritedX != 0 || inheritedY != 0 || ownX != 0 || ownY != 0 || alpha != node.alpha) {
        saved_.push_back(Saved{&node, node.originX, node.originY, node.x, node.y, node.alpha});
        // Fields only: the setters would pass the change on and call hooks.
        node.originX += inheritedX;
        node.originY += inheritedY;
        node.x += ownX;
        node.y += ownY;
        node.alpha = alpha;
    }
    if (moving) {
        const int left = node.originX + node.x;
        const int top = node.originY + node.y;
        placedArea_ = platform::unite(placedArea_,
                                      platform::Rect{left - 1, top - 1, left + node.width + 1, top + node.height + 1});
    }
    for (int i = 0; i < node.childCount; ++i)
        if (node.children[i] != nullptr)
            place(*node.children[i], fraction, inheritedX + ownX, inheritedY + ownY, moving);
}

void TickMotion::restore() {
    for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved) {
        Sprite& node = *saved->node;
        node.originX = saved->originX;
        node.originY = saved->originY;
        node.x = saved->x;
        node.y = saved->y;
        node.alpha = saved->alpha;
    }
    saved_.clear();
}
