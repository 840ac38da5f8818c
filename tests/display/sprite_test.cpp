// The node's frame, alpha and origin rules, and its walks over child slots.
#include <gtest/gtest.h>

#include <vector>

#include "display/sprite.h"
#include "media/image.h"

namespace {

// Counts frame-change hooks and records ticks and deletions in a shared log.
class ProbeSprite : public Sprite {
public:
    ProbeSprite(Sprite* parent, int x, int y, Image* image, std::vector<int>* log = nullptr, int id = 0)
        : Sprite(parent, x, y, image), log(log), id(id) {}
    ~ProbeSprite() override {
        if (log != nullptr) log->push_back(-id);
    }
    void onFrameChanged() override { ++frameChanges; }
    void tick() override {
        if (log != nullptr) log->push_back(id);
        Sprite::tick();
    }
    void giveChildren(int n) { allocateChildren(n); }
    int frameChanges = 0;
    std::vector<int>* log;
    int id;
};

Image threeFrames("three.bmp", 30, 10, 3, 1, 3);

}  // namespace

TEST(Sprite, FrameWrapsWhenLoopingAndClampsOtherwise) {
    ProbeSprite looping(nullptr, 0, 0, &threeFrames);
    looping.setLooping(true);
    looping.setFrame(3);
    EXPECT_EQ(looping.getFrame(), 0);
    looping.setFrame(4);
    EXPECT_EQ(looping.getFrame(), 1);
    looping.setFrame(-1);
    EXPECT_EQ(looping.getFrame(), 2);
    looping.setFrame(-4);
    EXPECT_EQ(looping.getFrame(), 2);

    ProbeSprite clamped(nullptr, 0, 0, &threeFrames);
    clamped.setFrame(7);
    EXPECT_EQ(clamped.getFrame(), 2);
    EXPECT_EQ(clamped.frameChanges, 1);
    clamped.setFrame(9);  // already on the last frame: no hook
    clamped.setFrame(2);  // the current frame: no hook
    EXPECT_EQ(clamped.frameChanges, 1);
    clamped.setFrame(-5);
    EXPECT_EQ(clamped.getFrame(), 0);
    EXPECT_EQ(clamped.frameChanges, 2);
}

TEST(Sprite, AlphaClampsAndImageSetsSizeAndFrames) {
    Sprite node(nullptr, 0, 0, &threeFrames);
    EXPECT_EQ(node.getWidth(), 10);
    EXPECT_EQ(node.getHeight(), 10);
    EXPECT_EQ(node.frameCount, 3);
    node.setAlpha(200);
    EXPECT_EQ(node.getAlpha(), 128);
    node.setAlpha(-3);
    EXPECT_EQ(node.getAlpha(), 0);

    Image wide("wide.bmp", 100, 12, 10, 1, 10);
    node.frame = 2;
    node.setImage(&wide);
    EXPECT_EQ(node.frame, 2);
    EXPECT_EQ(node.getWidth(), 10);
    node.setFrame(9);
    Image one("one.bmp", 5, 5, 1, 1, 1);
    node.setImage(&one);
    EXPECT_EQ(node.frame, 0);
}

TEST(Sprite, OriginsFollowAncestorsThroughNullSlots) {
    ProbeSprite root(nullptr, 10, 20, nullptr);
    root.giveChildren(3);
    auto* child = new ProbeSprite(&root, 5, 6, nullptr);
    root.children[2] = child;
    child->giveChildren(1);
    auto* grandChild = new ProbeSprite(child, 1, 1, nullptr);
    child->children[0] = grandChild;
    EXPECT_EQ(child->getOriginX(), 10);
    EXPECT_EQ(grandChild->getOriginX(), 15);
    EXPECT_EQ(grandChild->getOriginY(), 26);

    root.setX(100);
    EXPECT_EQ(child->getOriginX(), 100);
    EXPECT_EQ(grandChild->getOriginX(), 105);
    root.setPosition(0, 0);
    EXPECT_EQ(grandChild->getOriginX(), 5);
    EXPECT_EQ(grandChild->getOriginY(), 6);
    root.setOrigin(50, 60);
    EXPECT_EQ(root.getOriginX(), 50);
    EXPECT_EQ(grandChild->getOriginX(), 55);
    EXPECT_EQ(grandChild->getOriginY(), 66);
}

TEST(Sprite, TickVisitsChildrenFirstAndDestructorDeletesInOrder) {
    std::vector<int> log;
    {
        ProbeSprite root(nullptr, 0, 0, nullptr, &log, 1);
        root.giveChildren(3);
        root.children[0] = new ProbeSprite(&root, 0, 0, nullptr, &log, 2);
        root.children[2] = new ProbeSprite(&root, 0, 0, nullptr, &log, 3);
        root.tick();
        EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
        log.clear();
    }
    EXPECT_EQ(log, (std::vector<int>{-1, -2, -3}));
}

TEST(Sprite, AnimatingNodeAdvancesAfterItsChildren) {
    ProbeSprite node(nullptr, 0, 0, &threeFrames);
    node.setAnimating(true);
    node.tick();
    node.tick();
    node.tick();
    EXPECT_EQ(node.getFrame(), 2);
    EXPECT_EQ(node.frameChanges, 2);
}

TEST(Sprite, HiddenNodeDrawsNothingBelowIt) {
    // A child whose draw would fail is never reached under an invisible parent.
    class Failing : public Sprite {
    public:
        using Sprite::Sprite;
        bool draw() override { return false; }
    };
    ProbeSprite root(nullptr, 0, 0, nullptr);
    root.giveChildren(2);
    root.children[1] = new Failing(&root, 0, 0, nullptr);
    EXPECT_FALSE(root.draw());
    root.setAlpha(0);
    EXPECT_TRUE(root.draw());
}
