// The block's kind from a random draw, its frames, the colour cycling of
// jokers and bombs, and which kinds match.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/block.h"
#include "media/image.h"

namespace {

Image blocksImage("blocks.bmp", 150, 240, 5, 8, 40, 0, 0);

std::unique_ptr<Block> blockOfKind(int kind) {
    auto block = std::make_unique<Block>(nullptr, 0, 0, &blocksImage, 8, 5);
    block->setKind(kind);
    return block;
}

}  // namespace

TEST(Block, KindFromDrawGivesJokerRarelyAndColoursEvenly) {
    const int draws[][2] = {{0, KIND_JOKER}, {799, KIND_JOKER}, {800, 2}, {4795, 2}, {4796, 3}, {32767, 9}};
    for (const auto& [draw, kind] : draws) EXPECT_EQ(Block::kindFromDraw(draw, 8), kind) << draw;
}

TEST(Block, ColouredBlocksRestOnTheirRowWhileBombsAndJokersCycleThroughTheRows) {
    const std::unique_ptr<Block> block = blockOfKind(5);
    block->tick();
    EXPECT_EQ(block->getFrame(), 15) << "coloured blocks do not animate by themselves";
    block->setKind(KIND_BOMB);
    std::vector<int> frames{block->getFrame()};
    for (int i = 0; i < 9; ++i) block->tick(), frames.push_back(block->getFrame());
    EXPECT_EQ(frames, std::vector<int>({0, 5, 10, 15, 20, 25, 30, 35, 0, 5}));
    // A vanishing joker: the rules step it one frame, its tick one row, and it wraps.
    block->setKind(KIND_JOKER);
    block->setFrame(35);
    block->nextFrame();
    EXPECT_EQ(block->getFrame(), 36);
    block->tick();
    EXPECT_EQ(block->getFrame(), 1);
}

TEST(Block, JokersAndBombsAreOfEveryKind) {
    const int pairs[][3] = {{KIND_JOKER, 7, 1}, {7, KIND_JOKER, 1}, {KIND_BOMB, 4, 1}, {4, KIND_BOMB, 1},
                            {KIND_JOKER, KIND_BOMB, 1}, {4, 4, 1}, {4, 7, 0}};  // kinds, alike
    for (const auto& [a, b, alike] : pairs)
        EXPECT_EQ(blockOfKind(a)->sameKind(blockOfKind(b).get()), alike != 0) << a << " and " << b;
}
