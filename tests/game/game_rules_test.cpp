// The board rules on a hand-built board: pointing, turns, squares, the scan
// and its scoring, removal and refill, the bonus block, time, levels and hints.
#include "game_fixture.h"

#include <algorithm>
#include <set>
#include <vector>

#include "display/number_display.h"

namespace {

constexpr uint32_t code(int x1, int y1, int x2, int y2) { return x1 << 12 | y1 << 8 | x2 << 4 | y2; }

std::vector<uint32_t> listed(const uint32_t* list, int count) { return {list, list + count}; }

}  // namespace

using GameRules = GameFixture;

TEST_F(GameRules, PointingSelectsTheGroupNearestTheCornerUnderTheMouse) {
    EXPECT_EQ(screen->pointedColumn(190), 0);
    EXPECT_EQ(screen->pointedColumn(249), 0);
    EXPECT_EQ(screen->pointedColumn(250), 1);
    EXPECT_EQ(screen->pointedColumn(609), 6);
    EXPECT_EQ(screen->pointedRow(130), 0);
    EXPECT_EQ(screen->pointedRow(189), 0);
    EXPECT_EQ(screen->pointedRow(549), 6);
    for (int outside : {-500, 0, 100, 129, 189}) EXPECT_FALSE(screen->isValidGroup(screen->pointedColumn(outside), 0));
    for (int outside : {610, 700, 5000}) EXPECT_FALSE(screen->isValidGroup(screen->pointedColumn(outside), 0));
    for (int outside : {-500, 0, 129}) EXPECT_FALSE(screen->isValidGroup(0, screen->pointedRow(outside)));
    for (int outside : {550, 600}) EXPECT_FALSE(screen->isValidGroup(0, screen->pointedRow(outside)));
    EXPECT_EQ(screen->cellX(0), 175);
    EXPECT_EQ(screen->cellY(7), 535);
}

TEST_F(GameRules, TurnsMoveTheFourBlocksAndUndoEachOther) {
    Block* const topLeft = at(3, 4);
    Block* const topRight = at(4, 4);
    Block* const bottomLeft = at(3, 5);
    Block* const bottomRight = at(4, 5);
    screen->rotateGroup(3, 4, true);
    EXPECT_EQ(at(3, 4), topRight);
    EXPECT_EQ(at(4, 4), bottomRight);
    EXPECT_EQ(at(4, 5), bottomLeft);
    EXPECT_EQ(at(3, 5), topLeft);
    expectSlotsFollowBoard();
    screen->rotateGroup(3, 4, false);
    EXPECT_EQ(at(3, 4), topLeft);
    EXPECT_EQ(at(4, 4), topRight);
    EXPECT_EQ(at(3, 5), bottomLeft);
    EXPECT_EQ(at(4, 5), bottomRight);

    screen->rotateGroup(3, 4, false);
    EXPECT_EQ(at(3, 4), bottomLeft);
    EXPECT_EQ(at(3, 5), bottomRight);
    EXPECT_EQ(at(4, 5), topRight);
    EXPECT_EQ(at(4, 4), topLeft);

    const std::vector<Block*> before(screen->board, screen->board + 64);
    for (int turn = 0; turn < 4; ++turn) screen->rotateGroup(6, 6, true);
    for (int turn = 0; turn < 4; ++turn) screen->rotateGroup(0, 0, false);
    EXPECT_EQ(std::vector<Block*>(screen->board, screen->board + 64), before);
    expectSlotsFollowBoard();
}

TEST_F(GameRules, SquareCornersFollowTheEdgesAndStayOnTheBoard) {
    int i1 = -1, i2 = -1, i3 = -1, i4 = -1;
    ASSERT_TRUE(screen->squareCorners(0, 0, 1, 0, i1, i2, i3, i4));
    EXPECT_EQ(std::vector<int>({i1, i2, i3, i4}), std::vector<int>({0, 1, 9, 8}));
    ASSERT_TRUE(screen->squareCorners(1, 0, 2, 1, i1, i2, i3, i4));
    EXPECT_EQ(std::vector<int>({i1, i2, i3, i4}), std::vector<int>({1, 10, 17, 8}));
    ASSERT_TRUE(screen->squareCorners(0, 0, 7, 0, i1, i2, i3, i4));
    EXPECT_EQ(std::vector<int>({i1, i2, i3, i4}), std::vector<int>({0, 7, 63, 56}));

    EXPECT_FALSE(screen->squareCorners(3, 3, 3, 3, i1, i2, i3, i4)) << "one point is no square";
    EXPECT_FALSE(screen->squareCorners(0, 7, 1, 7, i1, i2, i3, i4)) << "would reach row 8";
    EXPECT_FALSE(screen->squareCorners(0, 0, 1, 1, i1, i2, i3, i4)) << "would reach column -1";
    EXPECT_FALSE(screen->squareCorners(0, 0, 0, 1, i1, i2, i3, i4)) << "would reach column -1";
    EXPECT_FALSE(screen->squareCorners(7, 1, 7, 0, i1, i2, i3, i4)) << "would reach column 8";
    EXPECT_FALSE(screen->squareCorners(1, 0, 7, 7, i1, i2, i3, i4));
}

TEST_F(GameRules, JokersStandForAnyColourAndBombsCompleteEverySquare) {
    auto matches = [&] { return screen->cornersMatch(0, 1, 9, 8); };
    paint({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 4);
    EXPECT_TRUE(matches());
    paint(1, 0, KIND_JOKER);
    EXPECT_TRUE(matches()) << "joker with three of one colour";
    paint(1, 1, 7);
    EXPECT_FALSE(matches()) << "joker with A, A and B";
    paint({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, KIND_JOKER);
    EXPECT_TRUE(matches()) << "four jokers";
    paint(0, 0, KIND_BOMB);
    paint(1, 0, 3);
    paint(1, 1, 5);
    paint(0, 1, 8);
    EXPECT_TRUE(matches()) << "a bomb with three different colours";
}

TEST_F(GameRules, FirstMatchOfTheGameScoresTwoPointsAndFiftyTicks) {
    EXPECT_FALSE(screen->findMatches()) << "the fixture's board holds no match";
    paint({{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 9);
    screen->playerMoved = true;
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount), std::vector<uint32_t>({code(0, 0, 1, 0)}));
    EXPECT_EQ(screen->chain, 1);
    EXPECT_EQ(screen->combo, 1);
    EXPECT_EQ(screen->score, 2);
    EXPECT_EQ(screen->lastPoints, 2);
    EXPECT_EQ(screen->timeLeft, 1050);
    EXPECT_EQ(screen->matchLineColour, 0xFFFFFFu);
    EXPECT_EQ(screen->scoreDisplay->value, 2);
    EXPECT_EQ(screen->chainDisplay->value, 1);
    EXPECT_EQ(screen->comboDisplay->value, 1);
    EXPECT_EQ(screen->matchSound(screen->matchCount), screen->chainOneSound);
    for (int c : {0, 1})
        for (int r : {0, 1}) EXPECT_TRUE(at(c, r)->isMatched());
    EXPECT_FALSE(at(2, 0)->isMatched());

    // The same board scanned again within the chain: points = combo² × chain × area.
    screen->playerMoved = false;
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(screen->chain, 2);
    EXPECT_EQ(screen->combo, 1);
    EXPECT_EQ(screen->lastPoints, 4);
    EXPECT_EQ(screen->score, 6);
    EXPECT_EQ(screen->matchSound(1), screen->chainTwoSound);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(screen->matchSound(1), screen->chainMoreSound);
}

TEST_F(GameRules, TiltedAndLargeSquaresScoreTheirAreaTerms) {
    screen->setCombo(1);
    paint({{1, 0}, {2, 1}, {1, 2}, {0, 1}}, 9);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount), std::vector<uint32_t>({code(1, 0, 2, 1)}));
    EXPECT_EQ(screen->lastPoints, 4);
    EXPECT_EQ(screen->timeLeft, 1100);

    for (int i = 0; i < 64; ++i) screen->board[i]->setMatched(false);
    screen->matchCount = 0;
    screen->setChain(0);
    paintBackground();
    paint({{0, 0}, {2, 0}, {2, 2}, {0, 2}}, 9);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount), std::vector<uint32_t>({code(0, 0, 2, 0)}));
    EXPECT_EQ(screen->lastPoints, 3);
}

TEST_F(GameRules, ScanMissesNothingAndCountsEachSquareOnce) {
    // Every block alike: each square of the board is met exactly once.
    for (int i = 0; i < 64; ++i) screen->board[i]->setKind(5);
    ASSERT_TRUE(screen->findMatches());
    std::set<std::set<int>> squares;
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    for (int i = 0; i < screen->matchCount; ++i) {
        const uint32_t square = screen->matchList[i];
        ASSERT_TRUE(screen->squareCorners(square >> 12 & 15, square >> 8 & 15, square >> 4 & 15, square & 15, i1, i2,
                                          i3, i4));
        squares.insert({i1, i2, i3, i4});
    }
    EXPECT_EQ(static_cast<int>(squares.size()), screen->matchCount);
    // A bounding box s cells wide holds s squares, tilted ones included, and fits (8 − s)² places.
    int expected = 0;
    for (int side = 1; side < 8; ++side) expected += side * (8 - side) * (8 - side);
    EXPECT_EQ(screen->matchCount, expected);
    EXPECT_EQ(screen->matchSound(screen->matchCount), screen->manyMatchesSound);
}

TEST_F(GameRules, SevenMatchesInOneScanPlayTheBigSound) {
    for (int c = 0; c < 8; ++c) paint({{c, 6}, {c, 7}}, 9);
    paint(5, 5, 2);  // would make a tilted square with the strip
    screen->setCombo(1);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(screen->matchCount, 7);
    EXPECT_EQ(screen->matchSound(screen->matchCount), screen->manyMatchesSound);
    EXPECT_EQ(screen->matchSound(6), screen->chainOneSound);
}

TEST_F(GameRules, BlockSharedByTwoMatchesIsRemovedOnce) {
    paint({{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 9);
    paint({{3, 1}, {3, 3}, {1, 3}}, 9);
    screen->setCombo(1);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount),
              std::vector<uint32_t>({code(0, 0, 1, 0), code(1, 1, 3, 1)}));
    EXPECT_EQ(screen->lastPoints, 2 + 3);
    screen->collapse();
    EXPECT_EQ(screen->removedCount, 7);
    EXPECT_EQ(screen->removedDisplay->value, 7);
    expectSlotsFollowBoard();
}

TEST_F(GameRules, CollapseDropsTheColumnAndStacksNewBlocksAboveIt) {
    paint({{2, 6}, {3, 6}, {2, 7}, {3, 7}}, 9);
    ASSERT_TRUE(screen->findMatches());
    std::vector<Block*> column2, column3;
    for (int r = 0; r < 6; ++r) {
        column2.push_back(at(2, r));
        column3.push_back(at(3, r));
    }
    Block* const untouched = at(1, 7);

    seedRandom(77);
    std::vector<int> expectedKinds;
    for (int i = 0; i < 4; ++i) expectedKinds.push_back(Block::kindFromDraw(drawRandom(), 8));
    const uint32_t afterDraws = randomState();
    seedRandom(77);
    screen->collapse();
    EXPECT_EQ(randomState(), afterDraws) << "one draw per new block, none for a bomb";

    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(at(2, r + 2), column2[r]);
        EXPECT_EQ(at(3, r + 2), column3[r]);
    }
    EXPECT_EQ(at(1, 7), untouched);
    // Created in order: column 2 from the bottom up, then column 3.
    EXPECT_EQ(kinds(2, 1), expectedKinds[0]);
    EXPECT_EQ(kinds(2, 0), expectedKinds[1]);
    EXPECT_EQ(kinds(3, 1), expectedKinds[2]);
    EXPECT_EQ(kinds(3, 0), expectedKinds[3]);
    for (int c : {2, 3}) {
        EXPECT_EQ(at(c, 1)->getX(), screen->cellX(c));
        EXPECT_EQ(at(c, 1)->getY(), screen->cellY(0) - 60);
        EXPECT_EQ(at(c, 0)->getY(), screen->cellY(0) - 120);
        EXPECT_EQ(at(c, 2)->getY(), screen->cellY(0)) << "fallen blocks keep their place until they travel";
    }
    for (int i = 0; i < 64; ++i) EXPECT_FALSE(screen->board[i]->isMatched());
    EXPECT_EQ(screen->removedCount, 4);
    expectSlotsFollowBoard();
}

TEST_F(GameRules, BonusBlockShowsAtFortyRemovedAndThenEveryFifty) {
    auto settleWithoutMatch = [&](int removed) {
        screen->removedCount = removed;
        screen->moving = true;
        screen->playStep();
        EXPECT_FALSE(screen->moving);
        return screen->bonusBlock->getAlpha() != 0;
    };
    EXPECT_EQ(screen->bonusBlock->getAlpha(), 0);
    EXPECT_FALSE(settleWithoutMatch(39));
    seedRandom(5);
    const int expectedKind = 2 + drawRandom() * 5 / 32768;
    seedRandom(5);
    EXPECT_TRUE(settleWithoutMatch(40));
    EXPECT_EQ(screen->bonusBlock->getKind(), expectedKind);
    EXPECT_EQ(screen->bonusMark, 40);
    EXPECT_FALSE(settleWithoutMatch(41));
    EXPECT_FALSE(settleWithoutMatch(89));
    EXPECT_TRUE(settleWithoutMatch(95));
    EXPECT_EQ(screen->bonusMark, 95);
    EXPECT_FALSE(settleWithoutMatch(144));
    EXPECT_TRUE(settleWithoutMatch(145));
}

TEST_F(GameRules, BonusBlockBlinksBetweenTheFirstTwoFramesOfItsColour) {
    screen->animateBonus();
    EXPECT_EQ(screen->bonusBlock->getFrame() % 5, 0) << "a hidden bonus block does not blink";
    screen->showBonus();
    const int rest = screen->bonusBlock->getFrame();
    ASSERT_EQ(rest % 5, 0);
    std::set<int> seen;
    for (int tick = 0; tick < 6; ++tick) {
        screen->animateBonus();
        seen.insert(screen->bonusBlock->getFrame());
    }
    EXPECT_EQ(seen, std::set<int>({rest, rest + 1}));
}

TEST_F(GameRules, MatchInTheBonusColourTurnsOneNewBlockIntoABomb) {
    screen->showBonus();
    const int bonusKind = screen->bonusBlock->getKind();
    paint({{0, 6}, {1, 6}, {0, 7}, {1, 7}}, bonusKind == 9 ? 8 : 9);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_FALSE(screen->bonusHit) << "another colour";

    for (int i = 0; i < 64; ++i) screen->board[i]->setMatched(false);
    paint({{0, 6}, {1, 6}, {0, 7}}, bonusKind);
    paint(1, 7, KIND_JOKER);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_TRUE(screen->bonusHit);

    seedRandom(99);
    for (int i = 0; i < 4; ++i) drawRandom();
    const int bombIndex = drawRandom() * 4 / 32768;
    seedRandom(99);
    screen->collapse();
    // New blocks in creation order: (0, 1), (0, 0), (1, 1), (1, 0).
    const std::pair<int, int> createdCells[4] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}};
    int bombs = 0;
    for (int i = 0; i < 64; ++i) bombs += screen->board[i]->getKind() == KIND_BOMB;
    EXPECT_EQ(bombs, 1);
    EXPECT_EQ(kinds(createdCells[bombIndex].first, createdCells[bombIndex].second), KIND_BOMB);
    EXPECT_EQ(screen->bonusBlock->getAlpha(), 0);
    EXPECT_FALSE(screen->bonusHit);

    // A hidden bonus block gives no bomb, whatever the colour.
    paint({{4, 6}, {5, 6}, {4, 7}, {5, 7}}, bonusKind);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_FALSE(screen->bonusHit);
}

TEST_F(GameRules, TimeIsCappedSpentByMovesAndEndsTheGame) {
    screen->addTime(5000);
    EXPECT_EQ(screen->timeLeft, 2000);
    screen->setLevel(3);
    screen->makeMove(2, 2, true);
    EXPECT_EQ(screen->timeLeft, 1985);
    EXPECT_TRUE(screen->moving);
    EXPECT_TRUE(screen->playerMoved);
    EXPECT_TRUE(screen->playing);
    EXPECT_EQ(screen->panel(), nullptr);

    // A move that costs more than is left ends the game with the board mid-turn.
    screen->timeLeft = 4;
    Block* const turned = at(3, 3);
    screen->moving = false;
    screen->makeMove(2, 2, true);
    EXPECT_EQ(screen->timeLeft, 0);
    EXPECT_FALSE(screen->playing);
    EXPECT_NE(screen->panel(), nullptr);
    EXPECT_EQ(at(3, 2), turned);
    const int frozenY = turned->getY();
    screen->tick();
    EXPECT_EQ(turned->getY(), frozenY);
    EXPECT_EQ(screen->timeLeft, 0);
}

TEST_F(GameRules, LevelRisesEveryThirtyRemovedBlocks) {
    screen->addRemoved(29);
    EXPECT_EQ(screen->level, 1);
    EXPECT_EQ(screen->nextLevelAt, 30);
    screen->addRemoved(1);
    EXPECT_EQ(screen->level, 2);
    EXPECT_EQ(screen->nextLevelAt, 60);
    EXPECT_EQ(screen->levelDisplay->value, 2);
    EXPECT_EQ(screen->nextLevelDisplay->value, 60);
    screen->addRemoved(65);
    EXPECT_EQ(screen->level, 4);
    EXPECT_EQ(screen->nextLevelAt, 120);
}

TEST_F(GameRules, ScoreStopsAtTheLargestNumberInsteadOfWrapping) {
    screen->score = 2147483000;
    screen->addScore(5000);
    EXPECT_EQ(screen->score, 2147483647);
}

TEST_F(GameRules, HintsListEveryMatchOneMoveMakesWithoutTouchingTheBoard) {
    // Turning group (1, 0) anticlockwise brings a fourth block into the 2 × 2 at (0, 0).
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    const std::vector<Block*> before(screen->board, screen->board + 64);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    EXPECT_EQ(std::vector<Block*>(screen->board, screen->board + 64), before);
    const std::vector<uint32_t> hints = listed(screen->hintList, screen->hintCount);
    EXPECT_NE(std::find(hints.begin(), hints.end(), code(1, 0, 1, 1)), hints.end());
    for (int i = 0; i < 64; ++i) EXPECT_FALSE(screen->board[i]->isMatched());
    EXPECT_EQ(screen->score, 0);
    EXPECT_EQ(screen->timeLeft, 1000);

    // Held key: later presses change nothing until the release clears the list.
    paint(5, 5, KIND_BOMB);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    EXPECT_EQ(listed(screen->hintList, screen->hintCount), hints);
    send(EVENT_KEY_UP, 0, 0, 0, 'A');
    EXPECT_EQ(screen->hintCount, static_cast<int>(hints.size()));
    send(EVENT_KEY_UP, 0, 0, 0, KEY_SPACE);
    EXPECT_EQ(screen->hintCount, 0);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    EXPECT_GT(screen->hintCount, static_cast<int>(hints.size())) << "the bomb adds matches for every move near it";
}
