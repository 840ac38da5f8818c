// Many complete games at full speed, for the sanitizer builds to watch.
#include "game_fixture.h"

using SlowGameSoak = GameFixture;

TEST_F(SlowGameSoak, ManyScriptedGamesEndCleanly) {
    int totalMoves = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        delete screen;
        screen = new GameScreen(&parent, 0, 0);
        const GameRun run = playScriptedGame(seed, 20);
        ASSERT_TRUE(run.ended) << "game " << seed << " after " << run.ticks << " ticks";
        totalMoves += run.moves;
        screen->onChildDone(screen->panel(), 10);
    }
    EXPECT_EQ(parent.requested.size(), 60u);
    EXPECT_GT(totalMoves, 60 * 50);
}
