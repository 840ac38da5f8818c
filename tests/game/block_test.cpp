// The block's kind from a random draw, its frames, the colour cycling of
// jokers and bombs, and which kinds match.
#include <gtest/gtest.h>

#include <vector>

#include "game/block.h"
#include "media/image.h"

namespace {

Image blocksImage("blocks.bmp", 150, 240, 5, 8, 40, 0, 0);

Block* blockOfKind(int kind) {
    Block* block = new Block(nullptr, 0, 0, &blocksImage, 8, 5);
    block->setKind(kind);
    return block;
}

}  // namespace

TEST(Block, KindFromDrawGivesJokerRarelyAndColoursEvenly) {
    const int draws[][2] = {{0, KIND_JOKER}, {799, KIND_JOKER}, {800, 2}, {4795, 2}, {4796, 3}, {32767, 9}};
    for (const auto& [draw, kind] : draws) EXPECT_EQ(Block::kindFromDraw(draw, 8), kind) << draw;
}

TEST(Block, ColouredBlocksRestOnTheirRowWhileBombsAndJokersCycleThroughTheRows) {
    Block* block = blockOfKind(5);
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
    delete block;
}

TEST(Block, JokersAndBombsAreOfEveryKind) {
    Block* joker = blockOfKind(KIND_JOKER);
    Block* bomb = blockOfKind(KIND_BOMB);
    Block* four = blockOfKind(4);
    Block* otherFour = blockOfKind(4);
    Block* seven = blockOfKind(7);
    const std::pair<Block*, Block*> alike[] = {{joker, seven}, {seven, joker}, {bomb, four}, {four, bomb},
                                               {joker, bomb},  {four, otherFour}};
    for (const auto& [a, b] : alike) EXPECT_TRUE(a->sameKind(b));
    EXPECT_FALSE(four->sameKind(seven));
    for (Block* block : {joker, bomb, four, otherFour, seven}) delete block;
}
