// The event pump: SDL events into the window messages the program handles.
#include "platform/window/sdl_window.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/events.h"
#include "platform/loop/message_queue.h"

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
        uintptr_t typed = 0;
    } keys[] = {
        {SDLK_q, SDL_SCANCODE_Q, 'Q'},                  {SDLK_7, SDL_SCANCODE_7, '7'},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, KEY_DELETE}, {SDLK_PERIOD, SDL_SCANCODE_PERIOD, 0xBE},
        {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 0x6B},     {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, 0xAF},
        {SDLK_F13, SDL_SCANCODE_F13, 0x7C},             {SDLK_F24, SDL_SCANCODE_F24, 0x87},
        // Keys that also type a control character.
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KEY_BACKSPACE, 8}, {SDLK_RETURN, SDL_SCANCODE_RETURN, KEY_RETURN, 13},
        // Letters of other alphabets have no Windows code: they take their scancode's.
        {0xF9 /* u grave */, SDL_SCANCODE_APOSTROPHE, 0x100 + SDL_SCANCODE_APOSTROPHE},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0x100},
    };
    for (const auto& k : keys) {
        send(SDL_KEYDOWN, k.key, 0, 0, k.scancode);
        send(SDL_KEYUP, k.key, 0, 0, k.scancode);
        std::vector<Sent> expected{{MESSAGE_KEY_DOWN, k.code}, {MESSAGE_KEY_UP, k.code}};
        if (k.typed != 0) expected.insert(expected.begin() + 1, {MESSAGE_CHAR, k.typed});
        EXPECT_EQ(take(), expected) << k.key;
    }
    // No key of the keyboard is lost or takes a game controller's code.
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        send(SDL_KEYDOWN, SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)), 0, 0, scancode);
        const auto got = take();
        ASSERT_FALSE(got.empty()) << scancode;
        EXPECT_TRUE(got[0].first != 0 && (got[0].first < KEY_GAMEPAD_A || got[0].first > KEY_GAMEPAD_BACK))
            << scancode << " gives " << got[0].first;
    }
}

TEST_F(EventPump, TypedTextBecomesLatin1CharactersAndOtherCharactersAreDropped) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "a\xC3\xA9\xE2\x82\xAC" "Z\xFF");
    window->translate(e, queue);
    EXPECT_EQ(take(), (std::vector<Sent>{{MESSAGE_CHAR, 'a'}, {MESSAGE_CHAR, 0xE9}, {MESSAGE_CHAR, 'Z'}}));
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
    EXPECT_EQ(take(), (std::vector<Sent>{
                          {MESSAGE_LEFT_BUTTON_DOWN, KEY_STATE_LEFT, packPosition(10, 20)},
                          {MESSAGE_RIGHT_BUTTON_DOWN, KEY_STATE_LEFT | KEY_STATE_RIGHT, packPosition(30, 40)},
                          {MESSAGE_MIDDLE_BUTTON_DOWN, KEY_STATE_RIGHT | KEY_STATE_MIDDLE, packPosition(799, 0)},
                          {MESSAGE_MOUSE_MOVE, 0, packPosition(799, 599)}}));
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
    std::vector<uintptr_t> held;
    for (const Sent& press : take()) held.push_back(press.first);
    EXPECT_EQ(held, (std::vector<uintptr_t>{KEY_STATE_LEFT, KEY_STATE_RIGHT, KEY_STATE_RIGHT | KEY_STATE_MIDDLE}));
}

TEST_F(EventPump, ClosingAndQuittingGiveOneDestroyAndMinimisingGivesSizeMessages) {
    for (int event : {SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_CLOSE})
        send(SDL_WINDOWEVENT, event);
    send(SDL_QUIT, 0);
    EXPECT_EQ(take(), (std::vector<Sent>{{MESSAGE_SIZE, SIZE_MINIMIZED},
                                         {MESSAGE_SIZE, SIZE_RESTORED, packPosition(800, 600)},
                                         {MESSAGE_DESTROY, 0}}));
}

// The wait takes the event that ends it off SDL's queue: it must hand it on.
TEST_F(EventPump, AWaitHandsOnTheEventThatEndedItOrTimesOut) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    queue.setSource(window.get());
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&e);
    queue.waitFor(1000);
    EXPECT_EQ(take(), (std::vector<Sent>{{MESSAGE_KEY_DOWN, KEY_SPACE}}));
    const Uint32 before = SDL_GetTicks();
    queue.waitFor(30);
    EXPECT_GE(SDL_GetTicks() - before, 25u);
}

TEST_F(EventPump, WheelNotchesBecomeSigned120thsInTheHighWordAtTheLastPointerPosition) {
    send(SDL_MOUSEMOTION, 0, 120, 130);
    take();
    // Turns the other way round on a flipped wheel; none at all; more than a 16-bit count holds.
    const struct {
        int notches;
        Uint32 direction;
        int16_t delta;
    } turns[] = {{-3, SDL_MOUSEWHEEL_NORMAL, -360}, {2, SDL_MOUSEWHEEL_FLIPPED, -240}, {0, SDL_MOUSEWHEEL_NORMAL, 0},
                 {100000, SDL_MOUSEWHEEL_NORMAL, 32760}, {-100000, SDL_MOUSEWHEEL_NORMAL, -32760}};
    for (const auto& turn : turns) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.y = turn.notches;
        e.wheel.direction = turn.direction;
        window->translate(e, queue);
        const uintptr_t high = static_cast<uintptr_t>(static_cast<uint16_t>(turn.delta)) << 16;
        const std::vector<Sent> expected{{MESSAGE_MOUSE_WHEEL, high, packPosition(120, 130)}};
        EXPECT_EQ(take(), turn.notches == 0 ? std::vector<Sent>{} : expected) << turn.notches;
    }
}

// Only a size the player gives the window is the one it opens at: not the
// screen's size a compositor may report before SDL counts the window as full
// screen, nor the tile a tiling window manager answers a request with.
// Leaving full screen takes the size chosen for the desktop (800 x 600 on
// 1024 x 768).
TEST(SdlWindowSize, OnlyASizeThePlayerGivesTheWindowIsKept) {
    platform::WindowOptions options;
    options.title = "sizes";
    platform::SdlWindow window(options);
    ASSERT_TRUE(window.initialized());
    auto* native = static_cast<SDL_Window*>(window.nativeHandle());
    platform::MessageQueue queue;
    const auto resized = [&](int width, int height, Uint32 after) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
        e.window.timestamp = SDL_GetTicks() + after;
        e.window.data1 = width;
        e.window.data2 = height;
        window.translate(e, queue);
        int kept[2] = {0, 0};
        window.windowedSize(kept[0], kept[1]);
        return std::make_pair(kept[0], kept[1]);
    };
    SDL_SetWindowFullscreen(native, 0);
    resized(1024, 768, 0);
    ASSERT_TRUE(window.setFullScreen(false));
    int width = 0, height = 0;
    SDL_GetWindowSize(native, &width, &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(800, 600));
    EXPECT_EQ(resized(1016, 740, 0), std::make_pair(800, 600)) << "the answer to leaving full screen";
    EXPECT_EQ(resized(1000, 700, 1000), std::make_pair(1000, 700)) << "the player's";
}
