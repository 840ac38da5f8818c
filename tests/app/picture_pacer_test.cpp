// Pictures between ticks: the application as built shows ticks only; the
// pacer adds evenly spaced pictures of moving nodes part of the way, answers
// input at once, drops a picture it cannot draw without restoring anything,
// leaves every tick's picture of a whole game as the frame loop has it, and
// what it redraws only in part is the picture drawn whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/application.h"
#include "app/frame_stats.h"
#include "app/picture_pacer.h"
#include "app/random_generator.h"
#include "display/text_field.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "media/image.h"
#include "platform/desktop/message_box.h"
#include "platform/drawing/display_device.h"
#include "platform/drawing/surface.h"
#include "platform/window/window.h"
#include "support/scripted_input.h"
#include "support/test_application.h"

namespace {

using Draw = std::tuple<uint32_t, bool, int>;

// A root whose one child, a block with a 30 x 30 picture, moves 20 pixels
// right on each of its first ticks; every draw is logged as (time, between
// ticks, the block's x); the block shows black on white.
class MovingRoot : public Sprite {
public:
    MovingRoot(ManualClock& clock, int moves) : Sprite(nullptr, 0, 0, nullptr), clock_(clock), moves_(moves) {
        image_.surface = theApplication->directDraw->createSurface(30, 30);
        allocateChildren(1);
        children[0] = new Block(this, 0, 100, &image_, 8, 1);
    }
    bool draw() override {
        const int x = children[0]->originX + children[0]->x;
        draws.emplace_back(clock_.now, theApplication->drawingBetweenTicks, x);
        lostAtDraw.push_back(image_.surface->isLost());
        return theApplication->fillRect(0, 0, 800, 600, 0xFFFFFF) && children[0]->draw();
    }
    void tick() override {
        if (moves_-- > 0) children[0]->moveX(20);
        if (loseImageOnTick > 0 && --loseImageOnTick == 0) image_.surface->setLost(true);
    }
    bool imageLost() const { return image_.surface->isLost(); }

    std::vector<Draw> draws;
    std::vector<bool> lostAtDraw;
    int loseImageOnTick = 0;

private:
    ManualClock& clock_;
    int moves_;
    Image image_{"none.bmp", 30, 30, 1, 1, 1};
};

class Pacing : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Clock::replace(&clock);
        app.app().messages->setSource(&input);
        theRootNode = &root;
        platform::setErrorMessageHandler([this](const char*, const char*) { ++messageBoxes; });
    }
    void TearDown() override {
        theRootNode = nullptr;
        app.app().pacer = nullptr;
        platform::Clock::replace(nullptr);
        platform::setErrorMessageHandler(nullptr);
    }
    int presented() { return app.app().window->presentCount(); }

    ManualClock clock;
    TestApplication app{16};
    ScriptedInput input{clock};
    MovingRoot root{clock, 3};
    int messageBoxes = 0;
};

}  // namespace

TEST_F(Pacing, TheApplicationAsBuiltPresentsOnTicksOnlyWhateverMoves) {
    input.at(1300, MESSAGE_MOUSE_MOVE);
    input.at(1400, MESSAGE_DESTROY);
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_EQ(root.draws, (std::vector<Draw>{{1066, false, 0}, {1132, false, 20}, {1198, false, 40},
                                            {1264, false, 60}, {1330, false, 60}, {1396, false, 60}}));
    EXPECT_EQ(presented(), 4);
}

// Ticks keep their times; between two ticks that moved something come three
// pictures a quarter apart, the child drawn a quarter, half and three
// quarters of the way; a still screen gets one picture only to answer input.
TEST_F(Pacing, PicturesBetweenTicksShowMovesPartOfTheWayAndAnswerInputAtOnce) {
    FrameStats stats;
    PicturePacer pacer(app.app(), true, &stats);
    app.app().pacer = &pacer;
    input.at(1300, MESSAGE_MOUSE_MOVE);
    input.at(1400, MESSAGE_DESTROY);
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_EQ(pacer.picturesPerTick(), 4);
    EXPECT_EQ(root.draws,
              (std::vector<Draw>{{1066, false, 0},  {1083, true, 5},   {1099, true, 10},  {1116, true, 15},
                                 {1132, false, 20}, {1149, true, 25},  {1165, true, 30},  {1182, true, 35},
                                 {1198, false, 40}, {1215, true, 45},  {1231, true, 50},  {1248, true, 55},
                                 {1264, false, 60}, {1300, true, 60},  {1330, false, 60}, {1396, false, 60}}));
    // The answer to the pointer's move showed nothing new.
    EXPECT_EQ(presented(), 13);
    EXPECT_EQ(std::make_tuple(stats.ticks(), stats.largestStep(), stats.inputWorst()), std::make_tuple(6, 5.0, 0.0));
    EXPECT_NEAR(stats.picturesPerSecondWhileMoving(), 1000.0 / 16.5, 0.01);
}

// The picture at 1083 fails on the lost picture and is dropped: it neither
// restores it nor tells anyone, and no other is tried before the tick, whose
// frame restores the picture as it always has.
TEST_F(Pacing, APictureBetweenTicksThatFailsIsDroppedAndRestoresNothing) {
    PicturePacer pacer(app.app(), true, nullptr);
    app.app().pacer = &pacer;
    root.loseImageOnTick = 1;
    input.at(1140, MESSAGE_DESTROY);
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_EQ(root.draws, (std::vector<Draw>{{1066, false, 0}, {1083, true, 5}, {1132, false, 20}}));
    EXPECT_EQ(root.lostAtDraw, (std::vector<bool>{false, true, true}));
    EXPECT_FALSE(root.imageLost());
    EXPECT_EQ(messageBoxes, 0);
}

namespace {

// What a recorded game showed: the back buffer (as a hash) at every tick,
// that is just after the frame drew it; and of the pictures between ticks,
// how many were drawn only in part, and how many of those differed from the
// whole picture drawn afresh.
struct Recording {
    std::vector<size_t> ticks;
    int inPart = 0;
    int inPartDiffering = 0;
};

// The root of a recorded game: a game screen dealt from a fixed seed, whose
// end-of-game panel takes a name.
class GameRecorder : public Sprite {
public:
    GameRecorder() : Sprite(nullptr, 0, 0, nullptr) {
        allocateChildren(1);
        game = new GameScreen(this, 0, 0);
        children[0] = game;
        seedRandom(7);
        game->bonusBlock->setKind(2);
        for (int i = 0; i < 64; ++i) game->board[i]->setKind(Block::kindFromDraw(drawRandom(), 8));
        game->timeLeft = 30;
        game->score = 2000000;
    }
    void handleEvent(const int& event) override { game->handleEvent(event); }
    void tick() override {
        const platform::Surface& picture = *theApplication->backBuffer;
        const char* pixels = reinterpret_cast<const char*>(picture.pixels());
        recording.ticks.push_back(std::hash<std::string_view>()({pixels, static_cast<size_t>(picture.pitch() * 600)}));
        Sprite::tick();
    }
    bool draw() override {
        platform::Surface& picture = *theApplication->backBuffer;
        const platform::Rect whole{0, 0, 800, 600};
        if (!Sprite::draw() || picture.clipFor(whole) == whole) return true;
        ++recording.inPart;
        platform::Surface afresh(800, 600, picture.bitsPerPixel());
        theApplication->backBuffer = &afresh;
        Sprite::draw();
        theApplication->backBuffer = &picture;
        if (std::memcmp(afresh.pixels(), picture.pixels(), static_cast<size_t>(picture.pitch() * 600)) != 0)
            ++recording.inPartDiffering;
        return true;
    }

    GameScreen* game;
    Recording recording;
};

// One game with the same input at the same times, the board turned by both
// buttons, hints shown, the time run out and a name typed into the panel.
Recording recordGame(PicturePacer* (*makePacer)(Application&, FrameStats&), FrameStats& stats) {
    ManualClock clock;
    platform::Clock::replace(&clock);
    TestApplication test;
    test.app().hasSound = false;
    ScriptedInput input(clock);
    test.app().messages->setSource(&input);
    TextField::caretBlinkOn = false;
    GameScreen::bonusBlinkToggle = 0;
    GameRecorder recorder;
    theRootNode = &recorder;
    for (uint32_t i = 0; i < 40; ++i) {
        const intptr_t group = packPosition(220 + 60 * static_cast<int>(i * 3 % 7), 160 + 60 * static_cast<int>(i * 5 % 7));
        input.at(1100 + 400 * i, MESSAGE_MOUSE_MOVE, 0, group);
        input.at(1120 + 400 * i, i % 2 == 0 ? MESSAGE_LEFT_BUTTON_DOWN : MESSAGE_RIGHT_BUTTON_DOWN,
                 i % 2 == 0 ? KEY_STATE_LEFT : KEY_STATE_RIGHT, group);
        if (i % 8 == 3) input.at(1250 + 400 * i, MESSAGE_KEY_DOWN, KEY_SPACE);
        if (i % 8 == 3) input.at(1330 + 400 * i, MESSAGE_KEY_UP, KEY_SPACE);
    }
    for (uint32_t i = 0; i < 3; ++i) input.at(19000 + 150 * i, MESSAGE_CHAR, 'A' + i);
    input.at(20000, MESSAGE_DESTROY);
    std::unique_ptr<PicturePacer> pacer(makePacer(test.app(), stats));
    test.app().pacer = pacer.get();
    EXPECT_EQ(test.app().run(), 0);
    EXPECT_FALSE(recorder.game->playing);
    test.app().pacer = nullptr;
    theRootNode = nullptr;
    platform::Clock::replace(nullptr);
    return recorder.recording;
}

}  // namespace

// Also: what a picture between ticks redraws only in part is the picture
// drawn whole.
TEST(RecordedGame, EveryTickShowsThePictureTheFrameLoopAloneShows) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(QUADRIMO_RUN_DIR);
    FrameStats classic;
    FrameStats smooth;
    const std::vector<size_t> onTicks =
        recordGame([](Application&, FrameStats&) -> PicturePacer* { return nullptr; }, classic).ticks;
    const Recording between = recordGame(
        [](Application& app, FrameStats& stats) { return new PicturePacer(app, true, &stats); }, smooth);
    std::filesystem::current_path(previous);
    ASSERT_GT(onTicks.size(), 250u);
    ASSERT_EQ(between.ticks.size(), onTicks.size());
    const size_t firstDiffering =
        std::mismatch(onTicks.begin(), onTicks.end(), between.ticks.begin()).first - onTicks.begin();
    EXPECT_EQ(firstDiffering, onTicks.size()) << "the pictures differ from tick " << firstDiffering << " on";
    EXPECT_GT(smooth.presentedPictures(), onTicks.size() * 3 / 2);
    EXPECT_EQ(smooth.largestStep(), 5);
    EXPECT_GT(between.inPart, 100);
    EXPECT_EQ(between.inPartDiffering, 0);
}
