// Playing by keyboard, pad and wheel, pausing, and the music, driven the way
// a player does: SDL events through the event pump, the message queue and
// windowProc into the screen manager and the screens.
#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <unistd.h>

#include "display/number_display.h"
#include "display/screen_manager.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "media/sound.h"
#include "platform/drawing/surface.h"
#include "screens/options_screen.h"
#include "screens/screen_test_support.h"
#include "screens/title_screen.h"
#include "sdl_input.h"
#include "support/test_application.h"

namespace {

using namespace sdl_input;

class PlayerInput : public ::testing::Test {
protected:
    void SetUp() override {
        // The real pictures and sounds live in the folder the game runs from.
        ASSERT_NE(getcwd(previousFolder, sizeof previousFolder), nullptr);
        ASSERT_EQ(chdir(QUADRIMO_RUN_DIR), 0);
        screen_test::clearStore();
        application = new TestApplication;
        theApplication->hasSound = true;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        root = new ScreenManager(nullptr, 0, 0);
        theRootNode = root;
        root->setFrame(SCREEN_TITLE);
    }
    void TearDown() override {
        theRootNode = nullptr;
        delete root;
        delete application;
        EXPECT_EQ(chdir(previousFolder), 0);
    }

    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(root->draw());
            root->tick();
        }
    }

    TitleScreen* title() { return dynamic_cast<TitleScreen*>(root->children[0]); }
    GameScreen* game() { return dynamic_cast<GameScreen*>(root->children[0]); }
    Sprite* titlePanel() { return title()->children[TitleScreen::PANEL_SLOT]; }
    std::vector<int> titleFrames() {
        std::vector<int> out;
        for (int i = TitleScreen::START_BUTTON; i <= TitleScreen::EXIT_BUTTON; ++i)
            out.push_back(title()->children[i]->getFrame());
        return out;
    }

    // Starts a game from the title with the keys, on a board where no square
    // of any size or tilt is of one colour.
    GameScreen& startGame() {
        tap(SDLK_DOWN);
        tap(SDLK_RETURN);
        GameScreen* screen = game();
        EXPECT_NE(screen, nullptr);
        for (int i = 0; i < 64; ++i) screen->board[i]->setKind(2 + (i % 8 + 2 * (i / 8)) % 8);
        return *screen;
    }
    void paint(std::initializer_list<std::pair<int, int>> cells, int kind) {
        for (const auto& [c, r] : cells) game()->board[r * 8 + c]->setKind(kind);
    }
    std::vector<Block*> board() { return {game()->board, game()->board + 64}; }
    void settle() {
        for (int i = 0; i < 200 && (game()->moving || game()->removing); ++i) frames(1);
        ASSERT_FALSE(game()->moving || game()->removing);
    }
    std::pair<int, int> cursor() { return {game()->cursorColumn, game()->cursorRow}; }

    // Everything a running game changes from frame to frame.
    std::vector<long long> motion() {
        GameScreen& g = *game();
        std::vector<long long> out{g.score, g.timeLeft, g.chain, g.removedCount, g.matchLineColour,
                                   g.pointsDisplay->getY(), g.moving, g.removing};
        for (Block* block : board()) out.insert(out.end(), {block->getX(), block->getY(), block->getFrame()});
        return out;
    }

    char previousFolder[4096] = {};
    TestApplication* application = nullptr;
    ScreenManager* root = nullptr;
};

}  // namespace

TEST_F(PlayerInput, APauseInAChainStopsClockBlocksAndMusicAndHidesTheBoardUntilAnyKey) {
    GameScreen& g = startGame();
    EXPECT_TRUE(g.music->playing) << "music from the start of the game";
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    mouse(260, 140);  // over group (1, 0)
    tap(SDLK_z);
    frames(5);  // three ticks of travel, the scan, the first vanishing step
    ASSERT_TRUE(g.removing);
    EXPECT_EQ(std::pair(g.score, g.chain), std::pair(2, 1));

    key(SDLK_p);
    ASSERT_TRUE(g.paused);
    const std::vector<long long> frozen = motion();
    frames(30);
    key(SDLK_p);  // the held key's auto-repeat is no new press
    key(SDLK_LSHIFT);
    frames(30);
    EXPECT_TRUE(g.paused);
    EXPECT_EQ(motion(), frozen) << "nothing moves, scores or runs down while paused";
    EXPECT_FALSE(g.music->playing);

    // The notice over the board has its words.
    ASSERT_TRUE(root->draw());
    int white = 0;
    for (int y = 300; y < 370; ++y)
        for (int x = 220; x < 580; ++x) white += application->backBuffer().pixelAt(x, y) == 0xFFFF;
    EXPECT_GT(white, 100);

    key(SDLK_p, false);
    key(SDLK_LSHIFT, false);
    tap(SDLK_q);
    EXPECT_FALSE(g.paused);
    frames(1);
    EXPECT_TRUE(g.music->playing);
    EXPECT_EQ(g.timeLeft, frozen[1] - 1);
    settle();
    EXPECT_EQ(std::pair(g.removedCount, g.score), std::pair(4, 2)) << "the chain goes on where it stopped";

    // The music follows the sound switch at the next tick and ends with the time.
    for (const bool on : {false, true}) {
        mouse(716, 449, SDL_BUTTON_LEFT);
        EXPECT_NE(g.music->playing, on);
        frames(1);
        EXPECT_EQ(g.music->playing, on);
    }
    g.timeLeft = 1;
    frames(1);
    EXPECT_EQ(std::tuple(g.playing, g.music->playing, g.timeUpSound->playing), std::tuple(false, false, true))
        << "no unfed loop under the end-of-game panel";
}

TEST_F(PlayerInput, EveryPauseKeyPausesAClickResumesWithoutAMoveAndExitStillLeaves) {
    GameScreen& g = startGame();
    const auto pauseBy = [&](int way) {
        if (way == SDLK_ESCAPE || way == SDLK_PAUSE || way == SDLK_p) tap(way);
        if (way == KEY_GAMEPAD_START || way == KEY_GAMEPAD_BACK) pad(way), pad(way, MESSAGE_KEY_UP);
        if (way == EVENT_PAUSE) root->handleEvent(EVENT_PAUSE);  // the window lost the focus
    };
    for (const int way : {int{SDLK_ESCAPE}, int{SDLK_PAUSE}, KEY_GAMEPAD_START, KEY_GAMEPAD_BACK, EVENT_PAUSE}) {
        pauseBy(way);
        ASSERT_TRUE(g.paused) << way;
        pauseBy(EVENT_PAUSE);
        EXPECT_TRUE(g.paused) << "a second pause keeps it paused";
        const std::vector<Block*> before = board();
        // The start button resumes like any pad button.
        way == KEY_GAMEPAD_START ? pauseBy(way) : mouse(340, 280, SDL_BUTTON_LEFT);
        EXPECT_FALSE(g.paused) << way;
        EXPECT_EQ(std::pair(board(), g.timeLeft), std::pair(before, 1000)) << "the resuming input makes no move";
    }

    // The wheel is no key and no click.
    tap(SDLK_p);
    wheel(1);
    EXPECT_TRUE(g.paused);
    EXPECT_FALSE(g.moving);
    mouse(697, 480, SDL_BUTTON_LEFT);
    EXPECT_NE(title(), nullptr) << "exit leaves a paused game";

    // No pause under the end-of-game panel: its keys go to the name.
    GameScreen& next = startGame();
    next.addScore(2000000);
    next.timeLeft = 1;
    frames(1);
    ASSERT_NE(next.panel(), nullptr);
    tap(SDLK_p);
    root->handleEvent(EVENT_PAUSE);
    EXPECT_FALSE(next.paused);
    type("Ann");
    tap(SDLK_BACKSPACE);
    tap(SDLK_ESCAPE);
    tap(SDLK_RETURN);
    ASSERT_NE(title(), nullptr) << "Enter presses OK";
    EXPECT_EQ(screen_test::storedRow(0), (std::pair<std::string, uint32_t>("An", 2000000)));
}

TEST_F(PlayerInput, KeysPadAndWheelTurnGroupsOnlyWhenAClickWould) {
    GameScreen& g = startGame();
    mouse(340, 280);  // over group (2, 2)
    // Each input, where it leaves the cursor, and its turn there (1 anticlockwise, -1 clockwise, 0 none).
    const struct {
        std::function<void()> input;
        std::pair<int, int> cursor;
        int turn;
    } steps[] = {
        {[&] { wheel(1); }, {2, 2}, 1},
        {[&] { tap(SDLK_RIGHT); }, {3, 2}, 0},
        {[&] { tap(SDLK_x); }, {3, 2}, -1},
        {[&] { pad(KEY_GAMEPAD_DPAD_DOWN); }, {3, 3}, 0},
        {[&] { pad(KEY_GAMEPAD_B); }, {3, 3}, -1},
        {[&] { pad(KEY_GAMEPAD_A); }, {3, 3}, 1},
        {[&] { tap(SDLK_z); }, {3, 3}, 1},
        {[&] { mouse(340, 280), wheel(-1); }, {2, 2}, -1},
    };
    for (const auto& [input, at, turn] : steps) {
        const std::vector<Block*> before = board();
        input();
        EXPECT_EQ(cursor(), at);
        // A turn anticlockwise brings the top right block to the group's top left corner, clockwise the bottom left.
        const int corner = at.second * 8 + at.first;
        EXPECT_EQ(board()[corner], before[corner + (turn > 0 ? 1 : turn < 0 ? 8 : 0)]) << at.first << ", " << turn;
        if (turn == 0) continue;
        const std::vector<Block*> after = board();
        wheel(1), tap(SDLK_x), pad(KEY_GAMEPAD_A);
        EXPECT_EQ(board(), after) << "nothing turns while the blocks travel";
        settle();
    }

    // The cursor stops at the edges; the mouse takes over when it moves.
    for (int i = 0; i < 9; ++i) tap(SDLK_RIGHT), pad(KEY_GAMEPAD_DPAD_UP);
    EXPECT_EQ(cursor(), std::pair(6, 0));
    for (int i = 0; i < 9; ++i) pad(KEY_GAMEPAD_DPAD_LEFT), tap(SDLK_DOWN);
    EXPECT_EQ(cursor(), std::pair(0, 6));
    mouse(50, 50);
    EXPECT_EQ(cursor(), std::pair(-2, -1));
    const std::vector<Block*> before = board();
    tap(SDLK_z);
    wheel(1);
    EXPECT_EQ(board(), before) << "no group under the cursor or the pointer";
    tap(SDLK_UP);
    EXPECT_EQ(cursor(), std::pair(3, 3));

    // The pad's X shows the matches one move could make while held, as Space does.
    paint({{0, 0}, {1, 0}, {2, 0}, {0, 1}}, 9);
    pad(KEY_GAMEPAD_X);
    EXPECT_GT(g.hintCount, 0);
    pad(KEY_GAMEPAD_X, MESSAGE_KEY_UP);
    EXPECT_EQ(g.hintCount, 0);
}

TEST_F(PlayerInput, TheTitleHighlightFollowsTheKeysAndEnterOrEscapeClosesThePanels) {
    // Enter and Space press only what the keys highlighted, not the mouse.
    mouse(400, 230);
    tap(SDLK_RETURN);
    tap(SDLK_SPACE);
    ASSERT_NE(title(), nullptr);
    mouse(100, 100);
    EXPECT_EQ(titleFrames(), std::vector<int>(5, 0));

    const std::vector<std::pair<std::vector<int>, int>> walk{
        {{SDLK_DOWN}, TitleScreen::START_BUTTON},           {{SDLK_UP}, TitleScreen::EXIT_BUTTON},
        {{SDLK_TAB}, TitleScreen::START_BUTTON},            {{SDLK_TAB, KMOD_LSHIFT}, TitleScreen::EXIT_BUTTON},
        {{KEY_GAMEPAD_DPAD_UP}, TitleScreen::HELP_BUTTON},  {{SDLK_UP}, TitleScreen::OPTIONS_BUTTON},
        {{KEY_GAMEPAD_DPAD_DOWN}, TitleScreen::HELP_BUTTON}, {{SDLK_UP}, TitleScreen::OPTIONS_BUTTON},
    };
    for (const auto& [press, highlighted] : walk) {
        if (press[0] >= KEY_GAMEPAD_A && press[0] <= KEY_GAMEPAD_BACK)
            pad(press[0]);
        else
            tap(press[0], static_cast<Uint16>(press.size() > 1 ? press[1] : 0));
        std::vector<int> expected(5, 0);
        expected[highlighted - 1] = 1;
        EXPECT_EQ(titleFrames(), expected) << "after key " << press[0];
    }

    // Options and high scores open by key; Enter, Escape and the pad close them.
    screen_test::storeRow(0, "Zed", 5);
    const std::vector<std::pair<int, int>> openAndClose{
        {SDLK_RETURN, SDLK_ESCAPE}, {SDLK_SPACE, SDLK_RETURN}, {KEY_GAMEPAD_A, KEY_GAMEPAD_BACK}};
    for (const int button : {TitleScreen::OPTIONS_BUTTON, TitleScreen::HIGH_SCORES_BUTTON}) {
        for (const auto& [open, close] : openAndClose) {
            open >= KEY_GAMEPAD_A ? pad(open) : tap(open);
            ASSERT_NE(titlePanel(), nullptr) << button << " opens by " << open;
            // Reset scores under the pointer: Enter still only presses OK.
            mouse(340, 442);
            close >= KEY_GAMEPAD_A ? pad(close) : tap(close);
            EXPECT_EQ(titlePanel(), nullptr) << button << " closes by " << close;
        }
        EXPECT_EQ(screen_test::storedRow(0), (std::pair<std::string, uint32_t>("Zed", 5)));
        tap(SDLK_UP);
    }
    tap(SDLK_RETURN);
    EXPECT_NE(game(), nullptr) << "Start pressed by Enter";
}

TEST_F(PlayerInput, TheSoundSwitchAndTheBoardsExitAnswerKeysAsTheirClicksDo) {
    for (int i = 0; i < 3; ++i) tap(SDLK_DOWN);
    tap(SDLK_RETURN);
    ASSERT_NE(titlePanel(), nullptr);
    const auto panelFrames = [&] {
        return std::pair(titlePanel()->children[OptionsScreen::SOUND_BUTTON]->getFrame(),
                         titlePanel()->children[OptionsScreen::OK_BUTTON]->getFrame());
    };
    // Tab and the arrows reach the switch; Enter, Space and the pad's A flip it and keep it highlighted.
    tap(SDLK_TAB);
    EXPECT_EQ(panelFrames(), std::pair(1, 0));
    const std::pair<std::function<void()>, bool> flips[] = {
        {[] { tap(SDLK_RETURN); }, false}, {[] { tap(SDLK_SPACE); }, true}, {[] { pad(KEY_GAMEPAD_A); }, false}};
    for (const auto& [press, sound] : flips) {
        press();
        ASSERT_NE(titlePanel(), nullptr) << "flipping the switch leaves the panel open";
        EXPECT_EQ(std::pair(theApplication->hasSound, panelFrames()), std::pair(sound, std::pair(sound ? 1 : 3, 0)));
    }
    tap(SDLK_DOWN);
    EXPECT_EQ(panelFrames(), std::pair(2, 1));
    tap(SDLK_TAB, KMOD_LSHIFT);
    tap(SDLK_UP);
    EXPECT_EQ(panelFrames(), std::pair(2, 1)) << "the highlight wraps";
    // Once the mouse moves, Enter presses OK, not the switch it left.
    tap(SDLK_UP);
    mouse(100, 100);
    EXPECT_EQ(panelFrames(), std::pair(2, 0));
    tap(SDLK_RETURN);
    EXPECT_EQ(titlePanel(), nullptr);
    EXPECT_FALSE(theApplication->hasSound);

    // Ctrl+W leaves a game, playing or paused, as the Exit button does; W alone does not.
    mouse(100, 100);
    for (const bool paused : {false, true}) {
        GameScreen& g = startGame();
        if (paused) tap(SDLK_p);
        tap(SDLK_w);
        ASSERT_EQ(game(), &g);
        key(SDLK_LCTRL);
        tap(SDLK_w, KMOD_LCTRL);
        key(SDLK_LCTRL, false);
        ASSERT_NE(title(), nullptr) << "paused " << paused;
    }
}
