// The game screen driven through its events and ticks: one whole move phase
// by phase, the buttons, the end-of-game panel and a complete scripted game.
#include "game_fixture.h"

#include "display/number_display.h"
#include "platform/surface.h"

using GameScreenPlay = GameFixture;

TEST_F(GameScreenPlay, OneMoveRunsThroughTravelScanVanishRefillAndFall) {
    // Turning group (1, 0) anticlockwise completes the 2 × 2 at (0, 0).
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    Block* const travelling = at(2, 0);
    send(EVENT_MOUSE_MOVE, 260, 140);
    send(EVENT_MOUSE_DOWN, 260, 140, BUTTON_LEFT);
    EXPECT_EQ(values(screen->cursorColumn, screen->cursorRow, screen->moving, screen->timeLeft), values(1, 0, 1, 995));
    EXPECT_EQ(at(1, 0), travelling);

    for (int tick = 1; tick <= 3; ++tick) {
        screen->tick();
        EXPECT_EQ(values(travelling->getX(), screen->moving, screen->removing), values(screen->cellX(2) - 20 * tick, 1, 0));
    }
    screen->tick();  // nothing travels: the scan
    EXPECT_EQ(values(screen->moving, screen->removing, screen->matchCount, screen->score, screen->chain, screen->combo,
                     screen->timeLeft),
              values(0, 1, 1, 2, 1, 1, 992 + 50 - 1));
    NumberDisplay& points = *screen->pointsDisplay;
    EXPECT_EQ(values(points.getAlpha(), points.getY(), points.alignLeft, points.alignRight, points.value),
              values(opaqueAlpha, 155, 120, 320, 2));

    const uint32_t fades[4] = {0x0FFFFF, 0x00FFFF, 0x000FFF, 0x0000FF};
    for (int step = 1; step <= 4; ++step) {
        screen->tick();
        EXPECT_EQ(values(screen->matchLineColour, at(0, 1)->getFrame() % 5, screen->removing, points.getY()),
                  values(fades[step - 1], step, 1, 155 - 5 * step));
    }
    screen->tick();  // the fifth tick after the scan: deleted and refilled
    EXPECT_EQ(values(screen->removing, screen->moving, screen->matchCount, screen->removedCount, points.getAlpha(),
                     at(0, 0)->getY()),
              values(0, 1, 0, 4, 0, screen->cellY(0) - 120));
    expectSlotsFollowBoard();
    // Keep the new blocks from matching so the move ends with this fall.
    for (int c : {0, 1})
        for (int r : {0, 1}) paint(c, r, 2 + (c + 2 * r) % 8);

    for (int tick = 1; tick <= 6; ++tick) {
        screen->tick();
        EXPECT_EQ(values(at(0, 0)->getY(), screen->moving), values(screen->cellY(0) - 120 + 20 * tick, 1));
    }
    screen->tick();  // settled: a scan that finds nothing ends the move; it scored, so the combo stands
    EXPECT_EQ(values(screen->moving, screen->removing, screen->chain, screen->combo, screen->playerMoved),
              values(0, 0, 0, 1, 0));
    const int idleTime = screen->timeLeft;
    screen->tick();
    EXPECT_EQ(values(screen->timeLeft, screen->moving), values(idleTime - 1, 0));

    // A move that makes nothing drops the combo.
    send(EVENT_MOUSE_DOWN, 500, 500, BUTTON_RIGHT);
    for (int tick = 0; tick < 4; ++tick) screen->tick();
    EXPECT_EQ(values(screen->moving, screen->combo), values(0, 0));
}

TEST_F(GameScreenPlay, BoardClicksWaitForTheBoardButButtonsWorkAnyTime) {
    const std::vector<Block*> before = boardCopy();
    send(EVENT_MOUSE_DOWN, 300, 300, BUTTON_LEFT | BUTTON_RIGHT);
    send(EVENT_MOUSE_DOWN, 300, 300, BUTTON_MIDDLE);
    send(EVENT_MOUSE_DOWN, 100, 300, BUTTON_LEFT);
    EXPECT_EQ(boardCopy(), before);
    EXPECT_EQ(screen->timeLeft, 1000);

    send(EVENT_MOUSE_DOWN, 300, 300, BUTTON_RIGHT);
    const std::vector<Block*> afterMove = boardCopy();
    EXPECT_NE(afterMove, before);
    expectSlotsFollowBoard();
    send(EVENT_MOUSE_DOWN, 300, 300, BUTTON_RIGHT);
    EXPECT_EQ(boardCopy(), afterMove) << "blocks still travel";
    EXPECT_EQ(screen->timeLeft, 995);

    Sprite* const soundButton = screen->children[CHILD_SOUND_BUTTON];
    send(EVENT_MOUSE_MOVE, 670, 445);
    EXPECT_EQ(soundButton->getFrame(), 3);
    send(EVENT_MOUSE_DOWN, 670, 445, BUTTON_LEFT);
    EXPECT_EQ(values(theApplication->hasSound, soundButton->getFrame()), values(1, 0));
    send(EVENT_MOUSE_MOVE, 671, 445);
    EXPECT_EQ(soundButton->getFrame(), 1);
    send(EVENT_MOUSE_MOVE, 680, 480);
    EXPECT_EQ(values(soundButton->getFrame(), screen->children[CHILD_EXIT_BUTTON]->getFrame()), values(0, 1));
    EXPECT_EQ(values(screen->buttonAt(647, 535), screen->buttonAt(795, 535)), values(CHILD_LOGO, -1));
    send(EVENT_MOUSE_DOWN, 670, 445, BUTTON_RIGHT);
    EXPECT_EQ(values(theApplication->hasSound, soundButton->getFrame()), values(0, 2));

    EXPECT_TRUE(parent.requested.empty());
    send(EVENT_MOUSE_DOWN, 680, 480, BUTTON_LEFT);
    EXPECT_EQ(parent.requested, std::vector<int>({1})) << "the exit button asks for the title screen";
}

TEST_F(GameScreenPlay, TimeUpFreezesTheBoardAndHandsInputToThePanel) {
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    send(EVENT_MOUSE_MOVE, 260, 140);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    const int hints = screen->hintCount;
    screen->addScore(1234);
    screen->timeLeft = 1;
    screen->tick();
    EXPECT_EQ(values(screen->playing, screen->timeLeft, screen->scoreDisplay->value), values(0, 0, 1234));
    ASSERT_NE(screen->panel(), nullptr);

    send(EVENT_KEY_UP, 0, 0, 0, KEY_SPACE);
    EXPECT_EQ(screen->hintCount, hints) << "the release went to the panel";
    send(EVENT_MOUSE_MOVE, 500, 500);
    EXPECT_EQ(screen->cursorColumn, 1);
    send(EVENT_MOUSE_DOWN, 260, 140, BUTTON_LEFT);
    EXPECT_FALSE(screen->moving);
    Block* const corner = at(0, 0);
    screen->tick();
    EXPECT_EQ(at(0, 0), corner);
    EXPECT_EQ(screen->timeLeft, 0);

    screen->onChildDone(screen->children[CHILD_LOGO], 10);
    screen->onChildDone(screen->panel(), 3);
    EXPECT_TRUE(parent.requested.empty());
    screen->onChildDone(screen->panel(), 10);
    EXPECT_EQ(parent.requested, std::vector<int>({1}));
}

TEST_F(GameScreenPlay, ScriptedGamePlaysThroughHandleEventUntilTimeRunsOut) {
    const GameRun run = playScriptedGame(2024, 10);
    EXPECT_TRUE(run.ended) << "time ran out and the panel came up";
    EXPECT_GT(run.moves, 50);
    EXPECT_GT(screen->removedCount, 0);
}

TEST_F(GameScreenPlay, DrawsTheTimeBarCursorMatchOutlinesAndHints) {
    platform::Surface& backBuffer = application.backBuffer();
    const uint32_t white = 0xFFFF, red = 0xF800, orange = 0xFBE0;  // 5-6-5 pixels
    ASSERT_TRUE(screen->draw());
    // 1000 ticks: 200 pixels of (255, 127, 0).
    EXPECT_EQ(backBuffer.pixelAt(200, 50), orange);
    EXPECT_EQ(backBuffer.pixelAt(399, 59), orange);
    EXPECT_NE(backBuffer.pixelAt(400, 50), orange);
    EXPECT_NE(backBuffer.pixelAt(240, 115), white) << "no cursor before the mouse moves";

    send(EVENT_MOUSE_MOVE, 260, 140);
    ASSERT_TRUE(screen->draw());
    EXPECT_EQ(backBuffer.pixelAt(240, 115), white) << "top edge of the group (1, 0)";
    EXPECT_EQ(backBuffer.pixelAt(325, 160), white) << "right edge";
    send(EVENT_MOUSE_MOVE, 0, 0);

    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    send(EVENT_KEY_DOWN, 0, 0, 0, KEY_SPACE);
    ASSERT_TRUE(screen->draw());
    EXPECT_EQ(backBuffer.pixelAt(250, 160), red) << "hint from the centre of (1, 0) to that of (1, 1)";
    send(EVENT_KEY_UP, 0, 0, 0, KEY_SPACE);

    paint(1, 1, 9);
    ASSERT_TRUE(screen->findMatches());
    ASSERT_TRUE(screen->draw());
    EXPECT_EQ(backBuffer.pixelAt(220, 130), white) << "match outline through the cell centres";
}
