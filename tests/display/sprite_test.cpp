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

TEST(Sprite, FrameWrapsWhenLoopingAndClampsOtherwiseAndHooksOnlyOnChange) {
    ProbeSprite looping(nullptr, 0, 0, &threeFrames), clamped(nullptr, 0, 0, &threeFrames);
    looping.setLooping(true);
    const int requests[][3] = {{3, 0, 2}, {4, 1, 2}, {-1, 2, 0}, {-4, 2, 0}};  // asked, looping, clamped
    for (const auto& [asked, wrapped, held] : requests) {
        looping.setFrame(asked);
        clamped.setFrame(asked);
        EXPECT_EQ(std::vector<int>({looping.getFrame(), clamped.getFrame()}), std::vector<int>({wrapped, held})) << asked;
    }
    clamped.setFrame(9);  // to the last frame: one hook
    clamped.setFrame(2);  // the current frame: no hook
    EXPECT_EQ(clamped.frameChanges, 3);
}

TEST(Sprite, AlphaClampsAndImageSetsSizeAndFrames) {
    Sprite node(nullptr, 0, 0, &threeFrames);
    EXPECT_EQ(std::vector<int>({node.getWidth(), node.getHeight(), node.frameCount}), std::vector<int>({10, 10, 3}));
    node.setAlpha(200);
    EXPECT_EQ(node.getAlpha(), 128);
    node.setAlpha(-3);
    EXPECT_EQ(node.getAlpha(), 0);

    Image wide("wide.bmp", 100, 12, 10, 1, 10), one("one.bmp", 5, 5, 1, 1, 1);
    node.frame = 2;
    node.setImage(&wide);
    EXPECT_EQ(std::vector<int>({node.frame, node.getWidth()}), std::vector<int>({2, 10}));
    node.setFrame(9);
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
    const auto origins = [&] {
        return std::vector<int>({child->getOriginX(), grandChild->getOriginX(), grandChild->getOriginY()});
    };
    EXPECT_EQ(origins(), std::vector<int>({10, 15, 26}));
    root.setX(100);
    EXPECT_EQ(origins(), std::vector<int>({100, 105, 26}));
    root.setPosition(0, 0);
    EXPECT_EQ(origins(), std::vector<int>({0, 5, 6}));
    root.setOrigin(50, 60);
    EXPECT_EQ(origins(), std::vector<int>({50, 55, 66}));
}

TEST(Sprite, TickVisitsParentThenChildrenAndAnimatesAfterThem) {
    std::vector<int> log;
    {
        ProbeSprite root(nullptr, 0, 0, &threeFrames, &log, 1);
        root.giveChildren(3);
        root.children[0] = new ProbeSprite(&root, 0, 0, nullptr, &log, 2);
        root.children[2] = new ProbeSprite(&root, 0, 0, nullptr, &log, 3);
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
    ProbeSprite root(nullptr, 0, 0, nullptr);
    root.giveChildren(2);
    root.children[1] = new Failing(&root, 0, 0, nullptr);
    EXPECT_FALSE(root.draw());
    root.setAlpha(0);
    EXPECT_TRUE(root.draw());
}
