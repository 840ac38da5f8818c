// The window procedure: what each message stores in the input state and which
// event the root then receives.
#include <gtest/gtest.h>

#include <vector>

#include "app/application.h"
#include "display/sprite.h"
#include "platform/sound/audio_device.h"
#include "platform/loop/message_queue.h"
#include "support/test_application.h"

namespace {

struct Seen {
    int event;
    int x;
    int y;
    int buttons;
    int key;
    int character;
    bool operator==(const Seen&) const = default;
};

class RecordingRoot : public Sprite {
public:
    void handleEvent(const int& event) override {
        const Application* a = theApplication;
        seen.push_back(a == nullptr ? Seen{event, -1, -1, -1, -1, -1}
                                    : Seen{event, a->mouseX, a->mouseY, a->mouseButtons, a->keyCode, a->charCode});
    }
    std::vector<Seen> seen;
};

class WindowProc : public ::testing::Test {
protected:
    void SetUp() override { theRootNode = &root; }
    void TearDown() override { theRootNode = nullptr; }

    static long send(uint32_t message, uintptr_t first, intptr_t second = 0) {
        return windowProc(nullptr, message, first, second);
    }

    TestApplication app;
    RecordingRoot root;
};

}  // namespace

TEST_F(WindowProc, EachPressSeesItsOwnPositionAndTheButtonsHeldAndOnlyWholeWheelNotchesAreEvents) {
    EXPECT_EQ(send(MESSAGE_LEFT_BUTTON_DOWN, KEY_STATE_LEFT, packPosition(10, 20)), 0);
    send(MESSAGE_RIGHT_BUTTON_DOWN, KEY_STATE_LEFT | KEY_STATE_RIGHT, packPosition(799, 599));
    // Shift and control in the key-state word are not buttons.
    send(MESSAGE_MIDDLE_BUTTON_DOWN, KEY_STATE_MIDDLE | 0x0004 | 0x0008, packPosition(0, 0));
    // A move leaves the buttons of the last press alone.
    send(MESSAGE_MOUSE_MOVE, 0, packPosition(400, 300));
    send(MESSAGE_MOUSE_WHEEL, 60 << 16, packPosition(9, 9));  // less than a notch: no event
    send(MESSAGE_MOUSE_WHEEL, static_cast<uint16_t>(-240) << 16, packPosition(7, 8));
    const std::vector<Seen> expected{{EVENT_MOUSE_DOWN, 10, 20, BUTTON_LEFT, 0, 0},
                                     {EVENT_MOUSE_DOWN, 799, 599, BUTTON_LEFT | BUTTON_RIGHT, 0, 0},
                                     {EVENT_MOUSE_DOWN, 0, 0, BUTTON_MIDDLE, 0, 0},
                                     {EVENT_MOUSE_MOVE, 400, 300, BUTTON_MIDDLE, 0, 0},
                                     {EVENT_MOUSE_WHEEL, 7, 8, BUTTON_MIDDLE, 0, 0}};
    EXPECT_EQ(root.seen, expected);
    EXPECT_EQ(app.app().wheelSteps, -2);
}

TEST_F(WindowProc, WithoutARootTheStateIsStoredAndWithoutAnApplicationNothingHappens) {
    theRootNode = nullptr;
    send(MESSAGE_KEY_DOWN, KEY_DELETE);
    EXPECT_EQ(app.app().keyCode, KEY_DELETE);
    EXPECT_TRUE(root.seen.empty());
    Application* saved = theApplication;
    theApplication = nullptr;
    theRootNode = &root;
    EXPECT_EQ(send(MESSAGE_LEFT_BUTTON_DOWN, KEY_STATE_LEFT, packPosition(5, 5)), 0);
    EXPECT_EQ(send(MESSAGE_DESTROY, 0), 0);
    theApplication = saved;
    // The root still hears of the press; only the state update is skipped.
    ASSERT_EQ(root.seen.size(), 1u);
    EXPECT_EQ(root.seen[0].event, EVENT_MOUSE_DOWN);
    EXPECT_EQ(saved->mouseX, 0);
    EXPECT_FALSE(saved->messages->peek());
}

// No frame refills the music while the window is minimised: the sound output
// stops with the frames and starts again with them.
TEST_F(WindowProc, MinimisingStopsTheFramesAndTheSoundAndRestoringStartsBoth) {
    Application& a = app.app();
    ASSERT_NE(a.directSound, nullptr);
    const struct {
        uintptr_t sizeType;
        bool active;
    } steps[] = {{SIZE_MINIMIZED, false}, {SIZE_RESTORED, true}, {SIZE_MINIMIZED, false}, {SIZE_MAXIMIZED, true}};
    for (const auto& step : steps) {
        send(MESSAGE_SIZE, step.sizeType, packPosition(800, 600));
        EXPECT_EQ(a.active, step.active) << step.sizeType;
        EXPECT_EQ(a.directSound->outputPaused(), !step.active) << step.sizeType;
    }
}
