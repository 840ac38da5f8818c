// The message loop and the paced frame: spacing, no catch-up, no frames while
// minimised, messages before frames, and the restore-and-retry paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "display/sprite.h"
#include "platform/loop/clock.h"
#include "platform/drawing/display_device.h"
#include "platform/desktop/message_box.h"
#include "platform/loop/message_queue.h"
#include "platform/window/sdl_window.h"
#include "platform/drawing/surface.h"
#include "support/scripted_input.h"
#include "support/test_application.h"

namespace {

// A root that paints the whole back buffer and records when it drew.
class RecordingRoot : public Sprite {
public:
    explicit RecordingRoot(ManualClock& clock) : clock_(clock) {}

    bool draw() override {
        drawTimes.push_back(clock_.now);
        if (failing) return false;
        if (loseSurfacesOnDraw > 0 && --loseSurfacesOnDraw == 0) theApplication->directDraw->loseAllSurfaces();
        clock_.now += drawDuration;
        return theApplication->fillRect(0, 0, 800, 600, 0x000022);
    }
    void tick() override {
        ++ticks;
        if (loseSurfacesOnTick > 0 && --loseSurfacesOnTick == 0) theApplication->directDraw->loseAllSurfaces();
    }

    std::vector<uint32_t> drawTimes;
    int ticks = 0;
    uint32_t drawDuration = 0;
    bool failing = false;
    int loseSurfacesOnDraw = 0;
    int loseSurfacesOnTick = 0;

private:
    ManualClock& clock_;
};

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Clock::replace(&clock);
        app.app().messages->setSource(&input);
        theRootNode = &root;
        // Tests that end with an error never get this far.
        input.at(5000, MESSAGE_DESTROY);
        platform::setErrorMessageHandler([this](const char* caption, const char* text) {
            messageBoxes.push_back(std::string(caption) + "|" + text);
        });
    }
    void TearDown() override {
        theRootNode = nullptr;
        platform::Clock::replace(nullptr);
        platform::setErrorMessageHandler(nullptr);
    }

    void expectPaintErrorAfterDraws(size_t draws) {
        EXPECT_EQ(app.app().run(), 1);
        EXPECT_EQ(root.drawTimes.size(), draws);
        EXPECT_EQ(messageBoxes,
                  std::vector<std::string>{"Paint Error|An unexpected error occurs, the program will now exit."});
    }

    ManualClock clock;
    TestApplication app{16};
    ScriptedInput input{clock};
    RecordingRoot root{clock};
    std::vector<std::string> messageBoxes;
};

}  // namespace

TEST_F(FrameLoop, FramesAreSixtySixMillisecondsApartUntilTheWindowIsDestroyed) {
    input.at(2000, MESSAGE_DESTROY);
    EXPECT_EQ(app.app().run(), 0);
    ASSERT_EQ(root.drawTimes.size(), 15u);
    for (size_t i = 0; i < root.drawTimes.size(); ++i) EXPECT_EQ(root.drawTimes[i], 1066 + 66 * i);
}

// Each frame starts when the previous one ended: none is squeezed in to make
// up for lost time. Messages that came during a frame go before the next one;
// minimised, the loop sleeps until a message comes.
TEST_F(FrameLoop, ASlowFrameDelaysTheNextAndNoFramesRunWhileMinimisedButTheFirstComesAtOnceOnRestore) {
    root.drawDuration = 100;
    input.at(1200, MESSAGE_SIZE, SIZE_MINIMIZED);
    input.at(1700, MESSAGE_SIZE, SIZE_RESTORED);
    input.at(1850, MESSAGE_DESTROY);
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_EQ(root.drawTimes, (std::vector<uint32_t>{1066, 1166, 1700, 1800}));
    EXPECT_EQ(input.blockingWaits, 1);
}

TEST_F(FrameLoop, WaitingMessagesAndTheQuitComeBeforeADueFrame) {
    input.at(1066, MESSAGE_KEY_DOWN, KEY_SPACE);
    input.at(1066, MESSAGE_DESTROY);
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_TRUE(root.drawTimes.empty());
    EXPECT_EQ(app.app().keyCode, KEY_SPACE);
}

TEST_F(FrameLoop, ALostDisplayIsRestoredAndTheFrameDrawnAgainAtOnce) {
    input.at(1300, MESSAGE_DESTROY);
    root.loseSurfacesOnDraw = 2;
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_EQ(root.drawTimes, (std::vector<uint32_t>{1066, 1132, 1132, 1198, 1264}));
    EXPECT_EQ(root.ticks, 4);
    // The picture never changes: only the first frame and the one after the
    // restore reach the screen.
    const auto* window = dynamic_cast<platform::SdlWindow*>(app.app().window);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->presentCount(), 2);
}

TEST_F(FrameLoop, SurfacesThatCannotBeRestoredAreMadeAgain) {
    input.at(1100, MESSAGE_DESTROY);
    root.loseSurfacesOnDraw = 1;
    app.app().primarySurface->setRestoreFails(true);
    EXPECT_EQ(app.app().run(), 0);
    EXPECT_EQ(root.drawTimes.size(), 2u);
    EXPECT_FALSE(app.app().backBuffer->isLost());
}

TEST_F(FrameLoop, ADrawThatFailsWithSurfacesThatCannotBeMadeAgainEndsWithPaintError) {
    app.app().backBuffer->setLost(true);
    app.app().backBuffer->setRestoreFails(true);
    app.app().directDraw->refuseSurfaceCreations(1);
    expectPaintErrorAfterDraws(1);
}

TEST_F(FrameLoop, ASecondFailedDrawAfterARestoreEndsWithPaintError) {
    root.failing = true;
    expectPaintErrorAfterDraws(2);
}

TEST_F(FrameLoop, AFailedPresentEndsWithPaintError) {
    root.loseSurfacesOnTick = 3;
    expectPaintErrorAfterDraws(3);
}
