// The game screen driven through its events and ticks: one whole move phase
// by phase, the buttons, the end-of-game panel and a complete scripted game.
#include "game_fixture.h"

#include "platform/drawing/surface.h"

using GameScreenPlay = GameFixture;

TEST_F(GameScreenPlay, OneMoveRunsThroughTravelScanVanishRefillAndFall) {
    // Turning group (1, 0) anticlockwise completes the 2 × 2 at (0, 0).
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    Block* const travelling = at(2, 0);
    send(EVENT_MOUSE_MOVE, 260, 140);
    send(EVENT_MOUSE_DOWN, 260, 140, BUTTON_LEFT);
    EXPECT_EQ(values(screen->cursorColumn, screen->cursorRow, screen->moving, screen->timeLeft), values(1, 0, 1, 995));
    EXPECT_EQ(at(1, 0), travelling);

    for (int tick = 1; tick <= 3; ++tick) screen->tick();
    EXPECT_EQ(values(travelling->getX(), screen->moving, screen->removing), values(screen->cellX(1), 1, 0));
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
    EXPECT_TRUE(boardIsSound());
    paintBackground();  // keeps the new blocks from matching, so the move ends with this fall

    for (int tick = 1; tick <= 6; ++tick) screen->tick();
    EXPECT_EQ(values(at(0, 0)->getY(), screen->moving), values(screen->cellY(0), 1)) << "six ticks of 20 pixels";
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
    EXPECT_EQ(values(boardCopy() == before, screen->timeLeft), values(true, 1000)) << "both, middle, or off the board";

    send(EVENT_MOUSE_DOWN, 300, 300, BUTTON_RIGHT);
    const std::vector<Block*> afterMove = boardCopy();
    send(EVENT_MOUSE_DOWN, 300, 300, BUTTON_RIGHT);
    EXPECT_EQ(values(afterMove != before, boardCopy() == afterMove, screen->timeLeft), values(true, true, 995))
        << "the second click came while the blocks still travel";

    Sprite* const soundButton = screen->children[CHILD_SOUND_BUTTON];
    send(EVENT_MOUSE_MOVE, 670, 445);
    EXPECT_EQ(soundButton->getFrame(), 3) << "off, highlighted";
    send(EVENT_MOUSE_DOWN, 670, 445, BUTTON_LEFT);
    EXPECT_EQ(values(theApplication->hasSound, soundButton->getFrame()), values(1, 0));
    send(EVENT_MOUSE_DOWN, 670, 445, BUTTON_RIGHT);
    EXPECT_EQ(values(theApplication->hasSound, soundButton->getFrame()), values(0, 2));
    EXPECT_EQ(values(screen->buttonAt(647, 535), screen->buttonAt(795, 535)), values(CHILD_LOGO, -1));

    EXPECT_TRUE(parent.requested.empty());
    send(EVENT_MOUSE_DOWN, 680, 480, BUTTON_LEFT);
    EXPECT_EQ(parent.requested, std::vector<int>({1})) << "the exit button asks for the title screen";
}

TEST_F(GameScreenPlay, TimeUpHandsInputToThePanelUntilItReportsDone) {
    send(EVENT_MOUSE_MOVE, 260, 140);
    screen->addScore(1234);
    screen->timeLeft = 1;
    screen->tick();
    EXPECT_EQ(values(screen->playing, screen->timeLeft, screen->scoreDisplay->value), values(0, 0, 1234));
    ASSERT_NE(screen->panel(), nullptr);

    send(EVENT_MOUSE_MOVE, 500, 500);
    send(EVENT_MOUSE_DOWN, 260, 140, BUTTON_LEFT);
    EXPECT_EQ(values(screen->cursorColumn, screen->moving), values(1, false)) << "the mouse went to the panel";
    screen->onChildDone(screen->children[CHILD_LOGO], 10);
    screen->onChildDone(screen->panel(), 3);
    EXPECT_TRUE(parent.requested.empty());
    screen->onChildDone(screen->panel(), 10);
    EXPECT_EQ(parent.requested, std::vector<int>({1}));
}

TEST_F(GameScreenPlay, ScriptedGamePlaysThroughHandleEventUntilTimeRunsOut) {
    EXPECT_GT(playScriptedGame(2024, 10), 50);
    EXPECT_EQ(values(screen->playing, screen->timeLeft, screen->panel() != nullptr), values(false, 0, true))
        << "time ran out and the panel came up";
    EXPECT_GT(screen->removedCount, 0);
}

TEST_F(GameScreenPlay, DrawsTheTimeBarAndMatchOutlines) {
    platform::Surface& backBuffer = application.backBuffer();
    const uint32_t white = 0xFFFF, orange = 0xFBE0;  // 5-6-5 pixels
    ASSERT_TRUE(screen->draw());
    // 1000 ticks: 200 pixels of (255, 127, 0).
    EXPECT_EQ(values(backBuffer.pixelAt(200, 50), backBuffer.pixelAt(399, 59)), values(orange, orange));
    EXPECT_NE(backBuffer.pixelAt(400, 50), orange);

    paint({{0, 0}, {1, 0}, {0, 1}, {1, 1}}, 9);
    EXPECT_NE(backBuffer.pixelAt(220, 130), white);
    ASSERT_TRUE(screen->findMatches());
    ASSERT_TRUE(screen->draw());
    EXPECT_EQ(backBuffer.pixelAt(220, 130), white) << "match outline through the cell centres";
}
