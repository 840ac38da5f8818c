// The block's random kind, its frames, the colour cycling of jokers and bombs,
// and which kinds match.
#include <gtest/gtest.h>

#include "app/random_generator.h"
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
    EXPECT_EQ(Block::kindFromDraw(0, 8), KIND_JOKER);
    EXPECT_EQ(Block::kindFromDraw(799, 8), KIND_JOKER);
    EXPECT_EQ(Block::kindFromDraw(800, 8), 2);
    EXPECT_EQ(Block::kindFromDraw(4795, 8), 2);
    EXPECT_EQ(Block::kindFromDraw(4796, 8), 3);
    EXPECT_EQ(Block::kindFromDraw(32767, 8), 9);
}

TEST(Block, NewBlockTakesOneDrawAndRestsOnItsColourRow) {
    seedRandom(12345);
    const int expected = Block::kindFromDraw(drawRandom(), 8);
    const uint32_t afterOneDraw = randomState();
    seedRandom(12345);
    Block block(nullptr, 175, 115, &blocksImage, 8, 5);
    EXPECT_EQ(randomState(), afterOneDraw);
    EXPECT_EQ(block.getKind(), expected);
    EXPECT_TRUE(block.isLooping());
    EXPECT_FALSE(block.isMatched());

    block.setKind(5);
    EXPECT_EQ(block.getFrame(), 15);
    block.tick();
    EXPECT_EQ(block.getFrame(), 15) << "coloured blocks do not animate by themselves";
}

TEST(Block, BombsAndJokersCycleThroughTheColourRows) {
    Block* block = blockOfKind(6);
    block->setKind(KIND_BOMB);
    EXPECT_EQ(block->getFrame(), 0);
    for (int expected : {5, 10, 15, 20, 25, 30, 35, 0, 5}) {
        block->tick();
        EXPECT_EQ(block->getFrame(), expected);
    }
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
    EXPECT_TRUE(joker->sameKind(seven));
    EXPECT_TRUE(seven->sameKind(joker));
    EXPECT_TRUE(bomb->sameKind(four));
    EXPECT_TRUE(four->sameKind(bomb));
    EXPECT_TRUE(joker->sameKind(bomb));
    EXPECT_TRUE(four->sameKind(otherFour));
    EXPECT_FALSE(four->sameKind(seven));
    for (Block* block : {joker, bomb, four, otherFour, seven}) delete block;
}
