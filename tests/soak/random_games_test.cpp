// A soak through the root node at full speed: hundreds of complete games of
// random input with screen switches and panels, built to run under the
// sanitizers, where any memory or arithmetic fault ends the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "display/screen_manager.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "support/test_application.h"

namespace {

constexpr int panelSlotOfTitle = 6;
constexpr int panelSlotOfGame = 76;

// A child slot, or nothing when the node has fewer slots.
Sprite* slot(const Sprite* node, int index) { return index < node->childCount ? node->children[index] : nullptr; }

class RandomPlayer {
public:
    RandomPlayer(Application& app, ScreenManager& root, unsigned seed) : app_(app), root_(root), random_(seed) {}

    // One frame: maybe some input, then the frame's draw and tick.
    void playFrame() {
        // Input may replace the screen: one screen's turn per frame.
        Sprite* const screen = root_.children[0];
        ASSERT_NE(screen, nullptr);
        if (root_.getFrame() == SCREEN_TITLE) onTitle(screen);
        else if (root_.getFrame() == SCREEN_GAME) onGame(dynamic_cast<GameScreen*>(screen));
        else if (chance(0.05)) clickAt(between(0, 799), between(0, 599));  // skips the splash
        ASSERT_TRUE(root_.draw()) << "frame " << frames;
        root_.tick();
        ++frames;
        const bool inGame = root_.getFrame() == SCREEN_GAME;
        if (wasInGame_ && !inGame) ++(endedByPanel_ ? gamesFinished : gamesLeft);
        if (!wasInGame_ && inGame) startGame(dynamic_cast<GameScreen*>(root_.children[0]));
        wasInGame_ = inGame;
    }

    long frames = 0;
    int gamesFinished = 0;
    int gamesLeft = 0;
    int panelsOpened = 0;

private:
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    void send(int event, int x, int y, int buttons = 0) {
        app_.mouseX = x;
        app_.mouseY = y;
        app_.mouseButtons = buttons;
        root_.handleEvent(event);
    }
    void clickAt(int x, int y, int buttons = BUTTON_LEFT) {
        send(EVENT_MOUSE_MOVE, x, y);
        send(EVENT_MOUSE_DOWN, x, y, buttons);
    }
    void moveAnywhere() { send(EVENT_MOUSE_MOVE, between(0, 799), between(0, 599)); }
    void key(int event, int code) {
        app_.keyCode = code;
        root_.handleEvent(event);
    }

    void onTitle(Sprite* title) {
        Sprite* const panel = slot(title, panelSlotOfTitle);
        const double pick = std::uniform_real_distribution<double>(0, 1)(random_);
        if (panel == nullptr) {
            if (pick < 0.5) {
                clickAt(399, 235);  // Start
            } else if (pick < 0.8) {
                clickAt(400, pick < 0.65 ? 307 : 338);  // High scores or Options
                panelsOpened += slot(title, panelSlotOfTitle) != nullptr;
            } else if (pick < 0.9) {
                moveAnywhere();
            } else {
                key(chance(0.5) ? EVENT_KEY_DOWN : EVENT_KEY_UP, between(8, 0x5A));
            }
        } else if (panel->getWidth() == 400) {  // high scores: Reset scores, OK, anywhere
            clickAt(pick < 0.2 ? 378 : pick < 0.5 ? 481 : between(0, 799), pick < 0.5 ? 444 : between(0, 599));
        } else if (pick < 0.6) {  // options: the sound switch, OK
            clickAt(400, pick < 0.3 ? 266 : 333);
        } else {
            moveAnywhere();
        }
    }

    void onGame(GameScreen* game) {
        ASSERT_NE(game, nullptr);
        checkGame(*game);
        const double pick = std::uniform_real_distribution<double>(0, 1)(random_);
        if (slot(game, panelSlotOfGame) != nullptr) {  // end of game: type, edit, OK
            endedByPanel_ = true;
            app_.charCode = between(1, 255);
            if (pick < 0.5) root_.handleEvent(EVENT_CHAR);
            else if (pick < 0.6) key(EVENT_KEY_DOWN, chance(0.5) ? KEY_BACKSPACE : between(KEY_LEFT, KEY_DELETE));
            else if (pick < 0.8) clickAt(400, pick < 0.7 ? 446 : 415);  // OK below the name field or the tip
            else clickAt(between(0, 799), between(0, 599));
        } else if (leaveThisGame_ && game->removing) {
            clickAt(697, 480);  // exit in the middle of a chain
        } else if (pick < 0.05) {
            const int buttons[] = {BUTTON_LEFT, BUTTON_RIGHT, BUTTON_LEFT | BUTTON_RIGHT, BUTTON_MIDDLE};
            clickAt(220 + 60 * between(-1, 7) + between(-29, 29), 160 + 60 * between(-1, 7) + between(-29, 29),
                    buttons[between(0, 3)]);
        } else if (pick < 0.6) {
            moveAnywhere();
        } else if (pick < 0.76) {
            key(pick < 0.68 ? EVENT_KEY_DOWN : EVENT_KEY_UP, KEY_SPACE);
        } else if (pick < 0.78) {
            clickAt(716, 449);  // sound on and off
        } else if (pick < 0.8) {
            key(EVENT_KEY_DOWN, between(8, 0x5A));
        }
    }

    // Every tenth game or so is left in the middle of a chain. Each game
    // starts with a short clock, so that hundreds of complete games take
    // minutes; matches still buy time and the rules are untouched.
    void startGame(GameScreen* game) {
        ASSERT_NE(game, nullptr);
        leaveThisGame_ = chance(0.1);
        endedByPanel_ = false;
        lastScore_ = 0;
        game->timeLeft = between(20, 120);
    }

    // What must hold at every frame of a game, whatever the input.
    void checkGame(const GameScreen& game) {
        ASSERT_GE(game.timeLeft, 0);
        ASSERT_LE(game.timeLeft, 2000);
        ASSERT_GE(game.score, lastScore_) << "the score went down";
        lastScore_ = game.score;
        for (int cell = 0; cell < 64; ++cell) ASSERT_EQ(slot(&game, CHILD_FIRST_BLOCK + cell), game.board[cell]);
    }

    Application& app_;
    ScreenManager& root_;
    std::mt19937 random_;
    bool wasInGame_ = false;
    bool endedByPanel_ = false;
    bool leaveThisGame_ = false;
    int lastScore_ = 0;
};

}  // namespace

TEST(SlowSoak, TwoHundredCompleteGamesOfRandomInputThroughTheRootNode) {
    // The real pictures, so that decoding, keys and blending are exercised.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(QUADRIMO_RUN_DIR);
    constexpr int gamesToFinish = 200;
    {
        TestApplication application(16);
        auto* root = new ScreenManager(nullptr, 0, 0);
        theRootNode = root;
        RandomPlayer player(application.app(), *root, 20261206u);
        while (player.gamesFinished < gamesToFinish && player.frames < 5000L * gamesToFinish && !HasFailure())
            player.playFrame();
        theRootNode = nullptr;
        delete root;
        std::printf("%d games finished, %d left early, %d panels, %ld frames\n", player.gamesFinished,
                    player.gamesLeft, player.panelsOpened, player.frames);
        EXPECT_GE(player.gamesFinished, gamesToFinish) << "in " << player.frames << " frames";
        EXPECT_GT(player.gamesLeft, 0);
        EXPECT_GT(player.panelsOpened, 0);
    }
    std::filesystem::current_path(previous);
}
