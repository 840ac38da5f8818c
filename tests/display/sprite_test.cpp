// The node's origin rule and its walks over child slots: ticks, deletion and drawing.
#include <gtest/gtest.h>

#include <vector>

#include "display/sprite.h"
#include "media/image.h"

namespace {

// Counts frame-change hooks and records ticks and deletions in a shared log;
// node id stands at (10 id, 20 id).
class ProbeSprite : public Sprite {
public:
    ProbeSprite(Sprite* parent, Image* image, std::vector<int>* log = nullptr, int id = 0)
        : Sprite(parent, 10 * id, 20 * id, image), log(log), id(id) {}
    ~ProbeSprite() override {
        if (log != nullptr) log->push_back(-id);
    }
    void onFrameChanged() override { ++frameChanges; }
    void tick() override {
        if (log != nullptr) log->push_back(id);
        Sprite::tick();
    }
    // Puts a new child of this node in the given slot of n.
    ProbeSprite* adopt(int n, int slot, std::vector<int>* childLog = nullptr, int childId = 0) {
        if (children == nullptr) allocateChildren(n);
        auto* child = new ProbeSprite(this, nullptr, childLog, childId);
        children[slot] = child;
        return child;
    }
    int frameChanges = 0;
    std::vector<int>* log;
    int id;
};

Image threeFrames("three.bmp", 30, 10, 3, 1, 3);

}  // namespace

TEST(Sprite, OriginsFollowAncestorsThroughEmptySlots) {
    ProbeSprite root(nullptr, nullptr, nullptr, 1);  // at (10, 20)
    ProbeSprite* child = root.adopt(3, 2, nullptr, 2);
    ProbeSprite* grandChild = child->adopt(1, 0, nullptr, 3);
    const auto origins = [&] {
        return std::vector<int>({child->getOriginX(), grandChild->getOriginX(), grandChild->getOriginY()});
    };
    EXPECT_EQ(origins(), std::vector<int>({10, 30, 60}));
    root.setPosition(100, 0);
    EXPECT_EQ(origins(), std::vector<int>({100, 120, 40}));
}

TEST(Sprite, TickVisitsParentThenChildrenAndAnimatesAfterThemAndDeletionTakesTheChildren) {
    std::vector<int> log;
    {
        ProbeSprite root(nullptr, &threeFrames, &log, 1);
        root.adopt(3, 0, &log, 2);
        root.adopt(3, 2, &log, 3);
        root.setAnimating(true);
        for (int i = 0; i < 3; ++i) root.tick();
        EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));
        EXPECT_EQ(std::vector<int>({root.getFrame(), root.frameChanges}), std::vector<int>({2, 2}));
        log.clear();
    }
    EXPECT_EQ(log, (std::vector<int>{-1, -2, -3})) << "the destructor deletes its children in order";
}

TEST(Sprite, HiddenNodeDrawsNothingBelowIt) {
    // A child whose draw would fail is never reached under an invisible parent.
    class Failing : public Sprite {
    public:
        using Sprite::Sprite;
        bool draw() override { return false; }
    };
    ProbeSprite root(nullptr, nullptr);
    root.adopt(2, 0);
    root.children[1] = new Failing(&root, 0, 0, nullptr);
    EXPECT_FALSE(root.draw());
    root.setAlpha(0);
    EXPECT_TRUE(root.draw());
}
