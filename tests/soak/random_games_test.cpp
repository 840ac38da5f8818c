// A soak through the root node at full speed: hundreds of complete games of
// random input with screen switches and panels, built to run under the
// sanitizers, where any memory or arithmetic fault ends the test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "display/screen_manager.h"
#include "game/game_screen.h"
#include "support/test_application.h"

namespace {

// QUADRIMO_SOAK_GAMES and QUADRIMO_SOAK_SEED change these for a longer or a different run.
constexpr int defaultGames = 200;
constexpr unsigned defaultSeed = 20261206u;
constexpr int panelSlotOfTitle = 6;
constexpr int panelSlotOfGame = 76;
constexpr int boardSlots = 64;

// A child slot, or nothing when the node has fewer slots.
Sprite* slot(const Sprite& node, const int& index) { return index < node.childCount ? node.children[index] : nullptr; }

class RandomPlayer {
public:
    RandomPlayer(Application& app, ScreenManager& root, const unsigned& seed) : app_(app), root_(root), random_(seed) {}

    // One frame: maybe some input, then the frame's draw and tick.
    void playFrame() {
        switch (root_.getFrame()) {
            case SCREEN_SPLASH: onSplash(); break;
            case SCREEN_TITLE: onTitle(); break;
            case SCREEN_GAME: onGame(); break;
            default: FAIL() << "unknown screen " << root_.getFrame();
        }
        ASSERT_TRUE(root_.draw()) << "frame " << frames;
        root_.tick();
        ++frames;
        if (wasInGame_ && root_.getFrame() != SCREEN_GAME) {
            if (endedByPanel_) ++gamesFinished;
            else ++gamesLeft;
        }
        if (!wasInGame_ && root_.getFrame() == SCREEN_GAME) startGame();
        wasInGame_ = root_.getFrame() == SCREEN_GAME;
        if (!wasInGame_) {
            endedByPanel_ = false;
            lastScore_ = 0;
        }
    }

    long frames = 0;
    int gamesFinished = 0;
    int gamesLeft = 0;
    int panelsOpened = 0;
    int movesMade = 0;

private:
    bool chance(const double& p) { return std::bernoulli_distribution(p)(random_); }
    int between(const int& low, const int& high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    void send(const int& event, const int& x, const int& y, const int& buttons = 0) {
        app_.mouseX = x;
        app_.mouseY = y;
        app_.mouseButtons = buttons;
        root_.handleEvent(event);
    }
    void moveTo(const int& x, const int& y) { send(EVENT_MOUSE_MOVE, x, y); }
    void clickAt(const int& x, const int& y, const int& buttons = BUTTON_LEFT) {
        moveTo(x, y);
        send(EVENT_MOUSE_DOWN, x, y, buttons);
    }
    void key(const int& event, const int& code) {
        app_.keyCode = code;
        root_.handleEvent(event);
    }
    void typeCharacter(const int& code) {
        app_.charCode = code;
        root_.handleEvent(EVENT_CHAR);
    }
    Sprite* screen() { return slot(root_, 0); }

    void onSplash() {
        if (chance(0.05)) clickAt(between(0, 799), between(0, 599));
        else if (chance(0.03)) key(EVENT_KEY_DOWN, between(8, 0x5A));
        else if (chance(0.1)) moveTo(between(0, 799), between(0, 599));
    }

    void onTitle() {
        Sprite* title = screen();
        ASSERT_NE(title, nullptr);
        Sprite* panel = slot(*title, panelSlotOfTitle);
        if (panel == nullptr) {
            const double pick = std::uniform_real_distribution<double>(0, 1)(random_);
            if (pick < 0.5) {
                clickAt(399, 235);  // Start
            } else if (pick < 0.8) {
                clickAt(400, pick < 0.65 ? 307 : 338);  // High scores or Options
                if (slot(*title, panelSlotOfTitle) != nullptr) ++panelsOpened;
            } else if (pick < 0.9) {
                moveTo(between(0, 799), between(0, 599));
            } else {
                key(chance(0.5) ? EVENT_KEY_DOWN : EVENT_KEY_UP, between(8, 0x5A));
            }
            return;
        }
        if (panel->getWidth() == 400) {  // high scores: Reset scores, OK
            if (chance(0.2)) clickAt(378, 444);
            else if (chance(0.3)) clickAt(481, 444);
            else clickAt(between(0, 799), between(0, 599));
        } else {  // options: the sound switch, OK
            if (chance(0.3)) clickAt(400, 266);
            else if (chance(0.3)) clickAt(400, 333);
            else moveTo(between(0, 799), between(0, 599));
        }
    }

    void onGame() {
        auto* game = dynamic_cast<GameScreen*>(screen());
        ASSERT_NE(game, nullptr);
        checkGame(*game);
        if (slot(*game, panelSlotOfGame) != nullptr) {
            onGameOver();
            return;
        }
        if (leaveThisGame_ && game->removing) {
            clickAt(697, 480);  // exit in the middle of a chain
            return;
        }
        const double pick = std::uniform_real_distribution<double>(0, 1)(random_);
        if (pick < 0.05) {
            const int buttons[] = {BUTTON_LEFT, BUTTON_RIGHT, BUTTON_LEFT, BUTTON_RIGHT, BUTTON_LEFT | BUTTON_RIGHT,
                                   BUTTON_MIDDLE};
            const bool accepted = !game->moving && !game->removing;
            clickAt(220 + 60 * between(-1, 7) + between(-29, 29), 160 + 60 * between(-1, 7) + between(-29, 29),
                    buttons[between(0, 5)]);
            if (accepted) ++movesMade;
        } else if (pick < 0.6) {
            moveTo(between(0, 799), between(0, 599));
        } else if (pick < 0.68) {
            key(EVENT_KEY_DOWN, KEY_SPACE);
        } else if (pick < 0.76) {
            key(EVENT_KEY_UP, KEY_SPACE);
        } else if (pick < 0.78) {
            clickAt(716, 449);  // sound on and off
        } else if (pick < 0.8) {
            key(EVENT_KEY_DOWN, between(8, 0x5A));
        }
    }

    // Every tenth game or so is left in the middle of a chain. Each game
    // starts with a short clock, so that hundreds of complete games take
    // minutes; matches still buy time and the rules are untouched.
    void startGame() {
        leaveThisGame_ = chance(0.1);
        auto* game = dynamic_cast<GameScreen*>(screen());
        ASSERT_NE(game, nullptr);
        game->timeLeft = between(20, 120);
    }

    void onGameOver() {
        endedByPanel_ = true;
        const double pick = std::uniform_real_distribution<double>(0, 1)(random_);
        if (pick < 0.5) typeCharacter(between(1, 255));
        else if (pick < 0.6) key(EVENT_KEY_DOWN, chance(0.5) ? KEY_BACKSPACE : between(KEY_LEFT, KEY_DELETE));
        else if (pick < 0.7) moveTo(between(0, 799), between(0, 599));
        else if (pick < 0.8) clickAt(400, 446);  // OK below the name field
        else if (pick < 0.9) clickAt(400, 415);  // OK below the tip
        else clickAt(between(0, 799), between(0, 599));
    }

    // What must hold at every frame of a game, whatever the input.
    void checkGame(GameScreen& game) {
        ASSERT_GE(game.timeLeft, 0);
        ASSERT_LE(game.timeLeft, 2000);
        ASSERT_GE(game.score, lastScore_) << "the score went down";
        lastScore_ = game.score;
        for (int cell = 0; cell < boardSlots; ++cell) ASSERT_NE(slot(game, CHILD_FIRST_BLOCK + cell), nullptr);
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
    std::error_code ignored;
    std::filesystem::current_path(QUADRIMO_RUN_DIR, ignored);

    const char* seedText = std::getenv("QUADRIMO_SOAK_SEED");
    const unsigned seed = seedText != nullptr ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : defaultSeed;
    const char* gamesText = std::getenv("QUADRIMO_SOAK_GAMES");
    const int gamesToFinish = gamesText != nullptr ? std::atoi(gamesText) : defaultGames;
    {
        TestApplication application(16);
        auto* root = new ScreenManager(nullptr, 0, 0);
        theRootNode = root;
        RandomPlayer player(application.app(), *root, seed);
        const long frameLimit = 5000L * gamesToFinish;
        while (player.gamesFinished < gamesToFinish && player.frames < frameLimit && !::testing::Test::HasFailure()) {
            player.playFrame();
        }
        theRootNode = nullptr;
        delete root;
        RecordProperty("frames", static_cast<int>(player.frames));
        std::printf("seed %u: %d games finished, %d left early, %d panels, %d moves, %ld frames\n", seed,
                    player.gamesFinished, player.gamesLeft, player.panelsOpened, player.movesMade, player.frames);
        EXPECT_GE(player.gamesFinished, gamesToFinish) << "in " << player.frames << " frames";
        EXPECT_GT(player.gamesLeft, 0);
        EXPECT_GT(player.panelsOpened, 0);
    }
    std::filesystem::current_path(previous, ignored);
}
