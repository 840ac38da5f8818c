// The event pump: SDL events into the window messages the program handles.
#include "platform/sdl_window.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/events.h"
#include "display/screen_manager.h"
#include "platform/message_queue.h"
#include "support/test_application.h"

namespace {

// A message reduced to what the pump decides: kind, first and second parameter.
struct Sent {
    uint32_t message;
    uintptr_t first;
    intptr_t second = 0;
    bool operator==(const Sent&) const = default;
};

class EventPump : public ::testing::Test {
protected:
    void SetUp() override {
        platform::WindowOptions options;
        options.fullScreen = false;
        options.title = "pump";
        window = std::make_unique<platform::SdlWindow>(options);
        ASSERT_TRUE(window->initialized());
    }
    std::vector<Sent> take() {
        std::vector<Sent> out;
        platform::Message m;
        while (queue.peek() && queue.get(m)) out.push_back({m.message, m.firstParameter, m.secondParameter});
        return out;
    }
    void send(Uint32 type, int detail, int x = 0, int y = 0, int scancode = 0) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
            e.key.keysym.sym = detail;
            e.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
        }
        if (type == SDL_WINDOWEVENT) e.window.event = static_cast<Uint8>(detail);
        if (type == SDL_MOUSEMOTION) e.motion.x = x, e.motion.y = y;
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
            e.button.button = static_cast<Uint8>(detail), e.button.x = x, e.button.y = y;
        window->translate(e, queue);
    }

    std::unique_ptr<platform::SdlWindow> window;
    platform::MessageQueue queue;
};

}  // namespace

TEST_F(EventPump, EveryKeyBecomesAKeyMessageWithItsWindowsCodeOrACodeOfItsOwn) {
    const struct {
        SDL_Keycode key;
        SDL_Scancode scancode;
        uintptr_t code;
    } keys[] = {
        {SDLK_q, SDL_SCANCODE_Q, 'Q'},
        {SDLK_7, SDL_SCANCODE_7, '7'},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, KEY_LEFT},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, KEY_DELETE},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, KEY_SPACE},
        {SDLK_PERIOD, SDL_SCANCODE_PERIOD, 0xBE},
        {SDLK_COMMA, SDL_SCANCODE_COMMA, 0xBC},
        {SDLK_MINUS, SDL_SCANCODE_MINUS, 0xBD},
        {SDLK_SLASH, SDL_SCANCODE_SLASH, 0xBF},
        {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 0x6B},
        {SDLK_KP_MINUS, SDL_SCANCODE_KP_MINUS, 0x6D},
        {SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, 0x6A},
        {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 0x6F},
        {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, 0x6E},
        {SDLK_F13, SDL_SCANCODE_F13, 0x7C},
        {SDLK_F24, SDL_SCANCODE_F24, 0x87},
        {SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, 0x5D},
        {SDLK_LGUI, SDL_SCANCODE_LGUI, 0x5B},
        {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, 0xAF},
        // The number row of a French keyboard still types digits; its other
        // keys and those of other alphabets have no Windows code.
        {SDLK_2, SDL_SCANCODE_2, '2'},
        {0xF9 /* u grave */, SDL_SCANCODE_APOSTROPHE, 0x100 + SDL_SCANCODE_APOSTROPHE},
        {0xDF /* sharp s */, SDL_SCANCODE_MINUS, 0x100 + SDL_SCANCODE_MINUS},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0x100},
    };
    for (const auto& k : keys) {
        send(SDL_KEYDOWN, k.key, 0, 0, k.scancode);
        send(SDL_KEYUP, k.key, 0, 0, k.scancode);
        EXPECT_EQ(take(), (std::vector<Sent>{{MESSAGE_KEY_DOWN, k.code}, {MESSAGE_KEY_UP, k.code}})) << k.key;
    }
    // Keys that also type a control character; no key of the keyboard takes
    // a game controller's code.
    for (SDL_Keycode code : {SDLK_BACKSPACE, SDLK_RETURN}) send(SDL_KEYDOWN, code);
    EXPECT_EQ(take(), (std::vector<Sent>{{MESSAGE_KEY_DOWN, KEY_BACKSPACE}, {MESSAGE_CHAR, 8},
                                         {MESSAGE_KEY_DOWN, KEY_RETURN}, {MESSAGE_CHAR, 13}}));
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        send(SDL_KEYDOWN, SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)), 0, 0, scancode);
        const auto got = take();
        ASSERT_FALSE(got.empty()) << scancode;
        EXPECT_TRUE(got[0].first != 0 && (got[0].first < KEY_GAMEPAD_A || got[0].first > KEY_GAMEPAD_BACK))
            << scancode << " gives " << got[0].first;
    }
}

TEST_F(EventPump, PunctuationAndKeysOfOtherLayoutsSkipTheSplash) {
    TestApplication application;
    for (const auto& [key, scancode] : {std::pair<SDL_Keycode, int>(SDLK_PERIOD, SDL_SCANCODE_PERIOD),
                                        std::pair<SDL_Keycode, int>(0xF9, SDL_SCANCODE_APOSTROPHE)}) {
        ScreenManager manager(nullptr, 0, 0);
        theRootNode = &manager;
        send(SDL_KEYDOWN, key, 0, 0, scancode);
        platform::Message m;
        while (queue.peek() && queue.get(m)) windowProc(m.window, m.message, m.firstParameter, m.secondParameter);
        theRootNode = nullptr;
        EXPECT_EQ(manager.getFrame(), SCREEN_TITLE) << key;
    }
}

TEST_F(EventPump, TypedTextBecomesLatin1CharactersAndOtherCharactersAreDropped) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "a\xC3\xA9\xE2\x82\xAC" "Z\xFF");
    window->translate(e, queue);
    const std::vector<Sent> expected{{MESSAGE_CHAR, 'a'}, {MESSAGE_CHAR, 0xE9}, {MESSAGE_CHAR, 'Z'}};
    EXPECT_EQ(take(), expected);
}

TEST_F(EventPump, ButtonMessagesCarryTheButtonsHeldAndPositionsStayOnThePicture) {
    // The dummy driver keeps no record of made-up presses; here the system
    // confirms every button the pump has seen pressed and not released.
    window->readHeldButtonsWith([] { return Uint32{SDL_BUTTON_LMASK | SDL_BUTTON_MMASK | SDL_BUTTON_RMASK}; });
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 30, 40);
    send(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 30, 40);
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 900, -5);
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 1);
    send(SDL_MOUSEMOTION, 0, 799, 599);
    const auto got = take();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], (Sent{MESSAGE_LEFT_BUTTON_DOWN, KEY_STATE_LEFT, packPosition(10, 20)}));
    EXPECT_EQ(got[1], (Sent{MESSAGE_RIGHT_BUTTON_DOWN, KEY_STATE_LEFT | KEY_STATE_RIGHT, packPosition(30, 40)}));
    EXPECT_EQ(got[2], (Sent{MESSAGE_MIDDLE_BUTTON_DOWN, KEY_STATE_RIGHT | KEY_STATE_MIDDLE, packPosition(799, 0)}));
    EXPECT_EQ(got[3].message, MESSAGE_MOUSE_MOVE);
    EXPECT_EQ(got[3].second, packPosition(799, 599));
}

// The buttons of a press are those the system holds down at it: a release
// that never arrived (the window was off the screen) does not count, one
// still waiting in the queue behind the press does.
TEST_F(EventPump, ALostReleaseNeverLeavesAButtonHeld) {
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 20);
    SDL_Event release{};
    release.type = SDL_MOUSEBUTTONUP;
    release.button.button = SDL_BUTTON_RIGHT;
    ASSERT_EQ(SDL_PushEvent(&release), 1);
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 10, 20);
    SDL_FlushEvent(SDL_MOUSEBUTTONUP);
    const auto got = take();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].first, KEY_STATE_LEFT);
    EXPECT_EQ(got[1].first, KEY_STATE_RIGHT);
    EXPECT_EQ(got[2].first, KEY_STATE_RIGHT | KEY_STATE_MIDDLE);
}

TEST_F(EventPump, ClosingAndQuittingGiveOneDestroyAndMinimisingGivesSizeMessages) {
    for (int event : {SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_CLOSE})
        send(SDL_WINDOWEVENT, event);
    send(SDL_QUIT, 0);
    const std::vector<Sent> expected{{MESSAGE_SIZE, SIZE_MINIMIZED}, {MESSAGE_SIZE, SIZE_RESTORED, packPosition(800, 600)},
                                     {MESSAGE_DESTROY, 0}};
    EXPECT_EQ(take(), expected);
}

TEST_F(EventPump, EventsPushedToSdlArriveThroughTheQueueAndWaitingTimesOut) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&e);
    queue.setSource(window.get());
    platform::Message m;
    ASSERT_TRUE(queue.peek() && queue.get(m));
    EXPECT_EQ(m.firstParameter, static_cast<uintptr_t>(KEY_SPACE));
    EXPECT_EQ(m.window, window.get());
    const Uint32 before = SDL_GetTicks();
    queue.waitFor(30);
    EXPECT_GE(SDL_GetTicks() - before, 25u);
}

TEST_F(EventPump, WheelNotchesBecomeSigned120thsInTheHighWordAtTheLastPointerPosition) {
    send(SDL_MOUSEMOTION, 0, 120, 130);
    take();
    const struct {
        int notches;
        Uint32 direction;
        int16_t delta;
    } turns[] = {{1, SDL_MOUSEWHEEL_NORMAL, 120}, {-3, SDL_MOUSEWHEEL_NORMAL, -360}, {2, SDL_MOUSEWHEEL_FLIPPED, -240},
                 {0, SDL_MOUSEWHEEL_NORMAL, 0}};
    for (const auto& turn : turns) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = turn.notches;
        e.wheel.direction = turn.direction;
        window->translate(e, queue);
        const std::vector<Sent> expected{
            {MESSAGE_MOUSE_WHEEL, static_cast<uintptr_t>(static_cast<uint16_t>(turn.delta)) << 16, packPosition(120, 130)}};
        EXPECT_EQ(take(), turn.notches == 0 ? std::vector<Sent>{} : expected) << turn.notches;
    }
}
