// The event pump: SDL events into the window messages the program handles.
#include "platform/sdl_window.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/events.h"
#include "platform/message_queue.h"

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
    void send(Uint32 type, int detail, int x = 0, int y = 0) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.key.keysym.sym = detail;
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

TEST_F(EventPump, KeysBecomeVirtualKeyCodesAndControlKeysAlsoTypeAndUnknownKeysAreDropped) {
    for (SDL_Keycode code : {SDLK_q, SDLK_7, SDLK_LEFT, SDLK_DELETE}) send(SDL_KEYDOWN, code);
    send(SDL_KEYUP, SDLK_q);
    for (SDL_Keycode code : {SDLK_BACKSPACE, SDLK_RETURN, SDLK_VOLUMEUP}) send(SDL_KEYDOWN, code);
    const std::vector<Sent> expected{{MESSAGE_KEY_DOWN, 'Q'},          {MESSAGE_KEY_DOWN, '7'},
                                     {MESSAGE_KEY_DOWN, KEY_LEFT},     {MESSAGE_KEY_DOWN, KEY_DELETE},
                                     {MESSAGE_KEY_UP, 'Q'},            {MESSAGE_KEY_DOWN, KEY_BACKSPACE},
                                     {MESSAGE_CHAR, 8},                {MESSAGE_KEY_DOWN, KEY_RETURN},
                                     {MESSAGE_CHAR, 13}};
    EXPECT_EQ(take(), expected);
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
