// Moves and fades between ticks: a moving node and its children drawn part
// of the way, jumps and new nodes drawn where they are, and every field put
// back after the picture.
#include <gtest/gtest.h>

#include <new>
#include <tuple>
#include <utility>
#include <vector>

#include "display/sprite.h"
#include "display/tick_motion.h"

namespace {

// A node with child slots for the test to fill.
class Parent : public Sprite {
public:
    Parent(Sprite* const parent, int x, int y, int slots) : Sprite(parent, x, y, nullptr) { allocateChildren(slots); }
};

// A root at (100, 100) with two children: the first at (10, 20), with a slot
// of its own, the other at (40, 20).
struct Tree {
    Tree() {
        root.children[0] = new Parent(&root, 10, 20, 1);
        root.children[1] = new Sprite(&root, 40, 20, nullptr);
    }
    Sprite& mover() { return *root.children[0]; }
    Sprite& other() { return *root.children[1]; }
    Parent root{nullptr, 100, 100, 2};
};

std::pair<int, int> screen(const Sprite& node) { return {node.originX + node.x, node.originY + node.y}; }

}  // namespace

TEST(TickMotion, AMovedNodeAndItsChildrenAreDrawnPartOfTheWayFromTheLastPictureAndPutBackAfter) {
    Tree tree;
    Sprite& mover = tree.mover();
    mover.children[0] = new Sprite(&mover, 5, 5, nullptr);
    TickMotion motion;
    motion.recordShown(&tree.root);
    mover.moveX(20);
    std::vector<Sprite*> travelled;
    EXPECT_TRUE(motion.changed(&tree.root, &travelled));
    EXPECT_EQ(travelled, std::vector<Sprite*>{&mover});
    const std::pair<double, int> cases[] = {{0.0, 110}, {0.5, 120}, {0.49, 120}, {0.99, 130}};
    for (const auto& [fraction, x] : cases) {
        motion.placeBetween(&tree.root, fraction);
        EXPECT_EQ(screen(mover), std::make_pair(x, 120)) << fraction;
        EXPECT_EQ(screen(*mover.children[0]), std::make_pair(x + 5, 125)) << fraction;
        EXPECT_EQ(screen(tree.other()), std::make_pair(140, 120));
        motion.restore();
        EXPECT_EQ(std::make_pair(mover.x, mover.children[0]->originX), std::make_pair(30, 130));
    }
}

TEST(TickMotion, JumpsNewNodesAndShowingOrHidingAreDrawnAsTheyAreWhileFadesAreBlended) {
    Tree tree;
    Sprite& mover = tree.mover();
    Sprite& other = tree.other();
    // A node made where another was deleted must not be taken for it.
    alignas(Sprite) unsigned char place[sizeof(Sprite)];
    Sprite* reused = new (place) Sprite(&tree.root, 0, 0, nullptr);
    mover.children[0] = reused;
    other.setAlpha(0);
    TickMotion motion;
    motion.recordShown(&tree.root);
    // Placed and then moved in one tick, as the points display is.
    mover.setPosition(60, 60);
    mover.moveY(-5);
    other.setAlpha(opaqueAlpha);
    reused->~Sprite();
    reused = new (place) Sprite(&tree.root, 0, 0, nullptr);
    mover.children[0] = reused;
    reused->moveX(20);
    EXPECT_FALSE(motion.changed(&tree.root, nullptr));
    motion.placeBetween(&tree.root, 0.5);
    EXPECT_EQ(screen(mover), std::make_pair(160, 155));
    EXPECT_EQ(screen(*reused), std::make_pair(120, 100));
    EXPECT_EQ(other.alpha, opaqueAlpha);
    motion.restore();

    // Fades, the splash's 0 to 8 and 17 to 0 among them, are blended.
    for (const auto& [from, to, halfway] : {std::tuple(0, 8, 4), std::tuple(17, 0, 8), std::tuple(128, 119, 123)}) {
        other.setAlpha(from);
        motion.recordShown(&tree.root);
        other.setAlpha(to);
        EXPECT_TRUE(motion.changed(&tree.root, nullptr));
        motion.placeBetween(&tree.root, 0.5);
        EXPECT_EQ(other.alpha, halfway) << from << " to " << to;
        motion.restore();
        EXPECT_EQ(other.alpha, to);
    }
    reused->~Sprite();
    mover.children[0] = nullptr;
}
