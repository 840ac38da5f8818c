// The board rules on a hand-built board: pointing, squares, the scan
// and its scoring, removal and refill, the bonus block, time, levels and hints.
#include "game_fixture.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

constexpr uint32_t code(int x1, int y1, int x2, int y2) { return x1 << 12 | y1 << 8 | x2 << 4 | y2; }

std::vector<uint32_t> listed(const uint32_t* list, int count) { return {list, list + count}; }

}  // namespace

using GameRules = GameFixture;

TEST_F(GameRules, PointingSelectsTheGroupNearestTheCornerUnderTheMouse) {
    const int columns[][2] = {{190, 0}, {249, 0}, {250, 1}, {609, 6}}, rows[][2] = {{130, 0}, {189, 0}, {549, 6}};
    for (const auto& [x, column] : columns) EXPECT_EQ(screen->pointedColumn(x), column) << x;
    for (const auto& [y, row] : rows) EXPECT_EQ(screen->pointedRow(y), row) << y;
    for (int outside : {-500, 129, 189, 610}) EXPECT_FALSE(screen->isValidGroup(screen->pointedColumn(outside), 0));
    for (int outside : {-500, 129, 550}) EXPECT_FALSE(screen->isValidGroup(0, screen->pointedRow(outside)));
}

TEST_F(GameRules, SquareCornersFollowTheEdgesAndStayOnTheBoard) {
    struct Case {
        int x1, y1, x2, y2;
        std::vector<long long> corners;  // empty: no square on the board
    };
    const Case cases[] = {{1, 0, 2, 1, {1, 10, 17, 8}}, {0, 0, 7, 0, {0, 7, 63, 56}}, {3, 3, 3, 3, {}} /* a point */,
                          {0, 7, 1, 7, {}} /* row 8 */,  {0, 0, 0, 1, {}} /* column -1 */,
                          {7, 1, 7, 0, {}} /* column 8 */};
    for (const Case& c : cases) {
        int i1 = -1, i2 = -1, i3 = -1, i4 = -1;
        const bool found = screen->squareCorners(c.x1, c.y1, c.x2, c.y2, i1, i2, i3, i4);
        EXPECT_EQ(found ? values(i1, i2, i3, i4) : std::vector<long long>{}, c.corners) << c.x1 << c.y1 << c.x2 << c.y2;
    }
}

TEST_F(GameRules, JokersStandForAnyColourAndBombsCompleteEverySquare) {
    auto matches = [&] { return screen->cornersMatch(0, 1, 9, 8); };
    paint({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 4);
    paint(1, 0, KIND_JOKER);
    EXPECT_TRUE(matches()) << "joker with three of one colour";
    paint(1, 1, 7);
    EXPECT_FALSE(matches()) << "joker with A, A and B";
    paint({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, KIND_JOKER);
    EXPECT_TRUE(matches()) << "four jokers";
    paint({{1, 0}}, 3), paint({{1, 1}}, 5), paint({{0, 1}}, 8), paint(0, 0, KIND_BOMB);
    EXPECT_TRUE(matches()) << "a bomb with three different colours";
}

TEST_F(GameRules, ScoringFollowsChainComboAndTheAreaOfEachSquare) {
    EXPECT_FALSE(screen->findMatches()) << "the fixture's board holds no match";
    paint({{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 9);
    screen->playerMoved = true;
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount), std::vector<uint32_t>({code(0, 0, 1, 0)}));
    // chain, combo, score, last points, time (+50), and what the displays show.
    EXPECT_EQ(values(screen->chain, screen->combo, screen->score, screen->lastPoints, screen->timeLeft,
                     screen->scoreDisplay->value, screen->chainDisplay->value, screen->comboDisplay->value),
              values(1, 1, 2, 2, 1050, 2, 1, 1));
    EXPECT_EQ(screen->matchSound(screen->matchCount), screen->chainOneSound);

    // The same board scanned again within the chain: points = combo² × chain × area.
    screen->playerMoved = false;
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(values(screen->chain, screen->combo, screen->lastPoints, screen->score), values(2, 1, 4, 6));
    EXPECT_EQ(screen->matchSound(1), screen->chainTwoSound);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(screen->matchSound(1), screen->chainMoreSound);

    // A tilted square: its bounding box counts, 2 × 2 (+100 ticks).
    clearMatches();
    screen->setChain(0);
    screen->timeLeft = 1000;
    paintBackground();
    paint({{1, 0}, {2, 1}, {1, 2}, {0, 1}}, 9);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount), std::vector<uint32_t>({code(1, 0, 2, 1)}));
    EXPECT_EQ(values(screen->lastPoints, screen->timeLeft), values(4, 1100));
    // A player's move raises the combo, which counts squared: 3² × chain 2 × area 4.
    screen->setCombo(2);
    screen->playerMoved = true;
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(values(screen->combo, screen->lastPoints), values(3, 72));

    screen->score = 2147483000;
    screen->addScore(5000);
    EXPECT_EQ(screen->score, 2147483647) << "the score stops at the largest number instead of wrapping";
}

TEST_F(GameRules, ScanMissesNothingCountsEachSquareOnceAndPicksTheSound) {
    // Every block alike: each square of the board is met exactly once.
    for (int i = 0; i < 64; ++i) screen->board[i]->setKind(5);
    ASSERT_TRUE(screen->findMatches());
    std::set<std::set<int>> squares;
    int i1 = 0, i2 = 0, i3 = 0, i4 = 0;
    for (const uint32_t s : listed(screen->matchList, screen->matchCount)) {
        ASSERT_TRUE(screen->squareCorners(s >> 12 & 15, s >> 8 & 15, s >> 4 & 15, s & 15, i1, i2, i3, i4));
        squares.insert({i1, i2, i3, i4});
    }
    // A bounding box s cells wide holds s squares, tilted ones included, and fits (8 − s)² places.
    int expected = 0;
    for (int side = 1; side < 8; ++side) expected += side * (8 - side) * (8 - side);
    EXPECT_EQ(values(squares.size(), screen->matchCount), values(expected, expected));

    // Seven matches in one scan play the big sound, six do not.
    clearMatches();
    screen->setChain(0);
    paintBackground();
    for (int c = 0; c < 8; ++c) paint({{c, 6}, {c, 7}}, 9);
    paint(5, 5, 2);  // would make a tilted square with the strip
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(screen->matchCount, 7);
    EXPECT_EQ(screen->matchSound(7), screen->manyMatchesSound);
    EXPECT_EQ(screen->matchSound(6), screen->chainOneSound);
}

TEST_F(GameRules, BlockSharedByTwoMatchesIsRemovedOnce) {
    paint({{0, 0}, {1, 0}, {0, 1}, {1, 1}, {3, 1}, {3, 3}, {1, 3}}, 9);
    screen->setCombo(1);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_EQ(listed(screen->matchList, screen->matchCount),
              std::vector<uint32_t>({code(0, 0, 1, 0), code(1, 1, 3, 1)}));
    EXPECT_EQ(screen->lastPoints, 2 + 3) << "a 3 × 3 square counts 3";
    screen->collapse();
    EXPECT_EQ(values(screen->removedCount, screen->removedDisplay->value), values(7, 7));
    EXPECT_TRUE(boardIsSound());
}

TEST_F(GameRules, CollapseDropsTheColumnAndStacksNewBlocksAboveIt) {
    paint({{2, 6}, {3, 6}, {2, 7}, {3, 7}}, 9);
    ASSERT_TRUE(screen->findMatches());
    std::vector<Block*> fallers;
    for (int r = 0; r < 6; ++r) fallers.push_back(at(2, r)), fallers.push_back(at(3, r));
    Block* const untouched = at(1, 7);

    seedRandom(77);
    std::vector<long long> expectedKinds;
    for (int i = 0; i < 4; ++i) expectedKinds.push_back(Block::kindFromDraw(drawRandom(), 8));
    const uint32_t afterDraws = randomState();
    seedRandom(77);
    screen->collapse();
    EXPECT_EQ(randomState(), afterDraws) << "one draw per new block, none for a bomb";

    std::vector<Block*> fallen;
    for (int r = 2; r < 8; ++r) fallen.push_back(at(2, r)), fallen.push_back(at(3, r));
    EXPECT_EQ(fallen, fallers);
    EXPECT_EQ(at(1, 7), untouched);
    // Created in order: column 2 from the bottom up, then column 3.
    EXPECT_EQ(values(kinds(2, 1), kinds(2, 0), kinds(3, 1), kinds(3, 0)), expectedKinds);
    for (int c : {2, 3}) {
        EXPECT_EQ(values(at(c, 1)->getX(), at(c, 1)->getY(), at(c, 0)->getY()),
                  values(screen->cellX(c), screen->cellY(0) - 60, screen->cellY(0) - 120));
        EXPECT_EQ(at(c, 2)->getY(), screen->cellY(0)) << "fallen blocks keep their place until they travel";
    }
    for (int i = 0; i < 64; ++i) EXPECT_FALSE(screen->board[i]->isMatched());
    EXPECT_TRUE(boardIsSound());
}

TEST_F(GameRules, BonusBlockShowsAtFortyRemovedThenEveryFiftyAndBlinks) {
    auto settleWithoutMatch = [&](int removed) {
        screen->removedCount = removed;
        screen->moving = true;
        screen->playStep();
        return screen->bonusBlock->getAlpha() != 0;
    };
    screen->animateBonus();
    EXPECT_EQ(values(screen->bonusBlock->getAlpha(), screen->bonusBlock->getFrame() % 5), values(0, 0))
        << "hidden, and a hidden bonus block does not blink";
    EXPECT_FALSE(settleWithoutMatch(39));
    seedRandom(5);
    const int expectedKind = 2 + drawRandom() * 5 / 32768;
    seedRandom(5);
    EXPECT_TRUE(settleWithoutMatch(40));
    EXPECT_EQ(values(screen->bonusBlock->getKind(), screen->bonusMark), values(expectedKind, 40));
    const int rest = screen->bonusBlock->getFrame();
    ASSERT_EQ(rest % 5, 0);
    std::set<int> seen;
    for (int tick = 0; tick < 6; ++tick) screen->animateBonus(), seen.insert(screen->bonusBlock->getFrame());
    EXPECT_EQ(seen, std::set<int>({rest, rest + 1})) << "blinks between the first two frames of its colour";

    const int later[][2] = {{41, 0}, {89, 0}, {95, 1}, {144, 0}, {145, 1}};  // removed, shown
    for (const auto& [removed, shown] : later) EXPECT_EQ(settleWithoutMatch(removed), shown != 0) << removed;
    EXPECT_EQ(screen->bonusMark, 145);
}

TEST_F(GameRules, MatchInTheBonusColourTurnsOneNewBlockIntoABomb) {
    screen->showBonus();
    const int bonusKind = screen->bonusBlock->getKind();
    paint({{0, 6}, {1, 6}, {0, 7}, {1, 7}}, bonusKind == 9 ? 8 : 9);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_FALSE(screen->bonusHit) << "another colour";

    clearMatches();
    paint({{0, 6}, {1, 6}, {0, 7}}, bonusKind);
    paint(1, 7, KIND_JOKER);
    ASSERT_TRUE(screen->findMatches());
    EXPECT_TRUE(screen->bonusHit);

    seedRandom(99);
    for (int i = 0; i < 4; ++i) drawRandom();
    const int bombIndex = drawRandom() * 4 / 32768;
    seedRandom(99);
    screen->collapse();
    // New blocks in creation order: (0, 1), (0, 0), (1, 1), (1, 0); only the drawn one is a bomb.
    const int createdCells[4][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kinds(createdCells[i][0], createdCells[i][1]) == KIND_BOMB, i == bombIndex) << i;
    EXPECT_EQ(values(screen->bonusBlock->getAlpha(), screen->bonusHit), values(0, false));

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
    EXPECT_EQ(values(screen->timeLeft, screen->moving, screen->playerMoved, screen->playing), values(1985, 1, 1, 1));
    EXPECT_EQ(screen->panel(), nullptr);

    // A move that costs more than is left ends the game with the board mid-turn.
    screen->timeLeft = 4;
    Block* const turned = at(3, 3);
    screen->moving = false;
    screen->makeMove(2, 2, true);
    EXPECT_EQ(values(screen->timeLeft, screen->playing, at(3, 2) == turned), values(0, false, true));
    EXPECT_NE(screen->panel(), nullptr);
    const int frozenY = turned->getY();
    screen->tick();
    EXPECT_EQ(values(turned->getY(), screen->timeLeft), values(frozenY, 0));
}

TEST_F(GameRules, LevelRisesEveryThirtyRemovedBlocks) {
    const int steps[][3] = {{29, 1, 30}, {1, 2, 60}, {65, 4, 120}};  // added, level, next level at
    for (const auto& [added, level, next] : steps) {
        screen->addRemoved(added);
        EXPECT_EQ(values(screen->level, screen->nextLevelAt, screen->levelDisplay->value, screen->nextLevelDisplay->value),
                  values(level, next, level, next));
    }
}

TEST_F(GameRules, HintsListEveryMatchOneMoveMakesWithoutTouchingTheBoard) {
    // Turning group (1, 0) anticlockwise brings a fourth block into the 2 × 2 at (0, 0).
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    const std::vector<Block*> before = boardCopy();
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    EXPECT_EQ(boardCopy(), before);
    const std::vector<uint32_t> hints = listed(screen->hintList, screen->hintCount);
    EXPECT_NE(std::find(hints.begin(), hints.end(), code(1, 0, 1, 1)), hints.end());
    for (int i = 0; i < 64; ++i) EXPECT_FALSE(screen->board[i]->isMatched());
    EXPECT_EQ(values(screen->score, screen->timeLeft), values(0, 1000));

    // Held key: later presses change nothing until the release clears the list.
    paint(5, 5, KIND_BOMB);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    EXPECT_EQ(listed(screen->hintList, screen->hintCount), hints);
    send(EVENT_KEY_UP, 0, 0, 0, 'A');
    EXPECT_EQ(screen->hintCount, static_cast<int>(hints.size()));
    send(EVENT_KEY_UP, 0, 0, 0, KEY_SPACE);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    EXPECT_GT(screen->hintCount, static_cast<int>(hints.size())) << "the bomb adds matches for every move near it";
}
