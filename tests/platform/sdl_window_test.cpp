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

class EventPump : public ::testing::Test {
protected:
    void SetUp() override {
        platform::WindowOptions options;
        options.fullScreen = false;
        options.title = "pump";
        window = std::make_unique<platform::SdlWindow>(options);
        ASSERT_TRUE(window->initialized());
    }

    std::vector<platform::Message> take() {
        std::vector<platform::Message> out;
        platform::Message m;
        while (queue.peek() && queue.get(m)) out.push_back(m);
        return out;
    }
    void key(Uint32 type, SDL_Keycode code) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = code;
        window->translate(e, queue);
    }
    void button(Uint32 type, Uint8 which, int x, int y) {
        SDL_Event e{};
        e.type = type;
        e.button.button = which;
        e.button.x = x;
        e.button.y = y;
        window->translate(e, queue);
    }

    std::unique_ptr<platform::SdlWindow> window;
    platform::MessageQueue queue;
};

}  // namespace

TEST_F(EventPump, KeysBecomeVirtualKeyCodesAndControlKeysAlsoTypeAndUnknownKeysAreDropped) {
    key(SDL_KEYDOWN, SDLK_q);
    key(SDL_KEYDOWN, SDLK_7);
    key(SDL_KEYDOWN, SDLK_LEFT);
    key(SDL_KEYDOWN, SDLK_DELETE);
    key(SDL_KEYUP, SDLK_q);
    key(SDL_KEYDOWN, SDLK_BACKSPACE);
    key(SDL_KEYDOWN, SDLK_RETURN);
    key(SDL_KEYDOWN, SDLK_VOLUMEUP);
    const auto got = take();
    ASSERT_EQ(got.size(), 9u);
    EXPECT_EQ(got[0].message, MESSAGE_KEY_DOWN);
    EXPECT_EQ(got[0].firstParameter, 'Q');
    EXPECT_EQ(got[1].firstParameter, '7');
    EXPECT_EQ(got[2].firstParameter, static_cast<uintptr_t>(KEY_LEFT));
    EXPECT_EQ(got[3].firstParameter, static_cast<uintptr_t>(KEY_DELETE));
    EXPECT_EQ(got[4].message, MESSAGE_KEY_UP);
    EXPECT_EQ(got[5].firstParameter, static_cast<uintptr_t>(KEY_BACKSPACE));
    EXPECT_EQ(got[6].message, MESSAGE_CHAR);
    EXPECT_EQ(got[6].firstParameter, 8u);
    EXPECT_EQ(got[7].message, MESSAGE_KEY_DOWN);
    EXPECT_EQ(got[7].firstParameter, static_cast<uintptr_t>(KEY_RETURN));
    EXPECT_EQ(got[8].message, MESSAGE_CHAR);
    EXPECT_EQ(got[8].firstParameter, 13u);
    EXPECT_EQ(take().size(), 0u);
}

TEST_F(EventPump, TypedTextBecomesLatin1CharactersAndOtherCharactersAreDropped) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "a\xC3\xA9\xE2\x82\xAC" "Z\xFF");
    window->translate(e, queue);
    const auto got = take();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].firstParameter, static_cast<uintptr_t>('a'));
    EXPECT_EQ(got[1].firstParameter, 0xE9u);
    EXPECT_EQ(got[2].firstParameter, static_cast<uintptr_t>('Z'));
}

TEST_F(EventPump, ButtonMessagesCarryTheButtonsHeldAndPositionsStayOnThePicture) {
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 30, 40);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 30, 40);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 900, -5);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 1);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 799;
    motion.motion.y = 599;
    window->translate(motion, queue);
    const auto got = take();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].message, MESSAGE_LEFT_BUTTON_DOWN);
    EXPECT_EQ(got[0].firstParameter, KEY_STATE_LEFT);
    EXPECT_EQ(got[0].secondParameter, packPosition(10, 20));
    EXPECT_EQ(got[1].message, MESSAGE_RIGHT_BUTTON_DOWN);
    EXPECT_EQ(got[1].firstParameter, KEY_STATE_LEFT | KEY_STATE_RIGHT);
    EXPECT_EQ(got[2].message, MESSAGE_MIDDLE_BUTTON_DOWN);
    EXPECT_EQ(got[2].firstParameter, KEY_STATE_RIGHT | KEY_STATE_MIDDLE);
    EXPECT_EQ(got[2].secondParameter, packPosition(799, 0));
    EXPECT_EQ(got[3].message, MESSAGE_MOUSE_MOVE);
    EXPECT_EQ(got[3].secondParameter, packPosition(799, 599));
}

TEST_F(EventPump, ClosingAndQuittingGiveOneDestroyAndMinimisingGivesSizeMessages) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_MINIMIZED;
    window->translate(e, queue);
    e.window.event = SDL_WINDOWEVENT_RESTORED;
    window->translate(e, queue);
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    window->translate(e, queue);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    window->translate(quit, queue);
    const auto got = take();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].message, MESSAGE_SIZE);
    EXPECT_EQ(got[0].firstParameter, SIZE_MINIMIZED);
    EXPECT_EQ(got[1].firstParameter, SIZE_RESTORED);
    EXPECT_EQ(got[2].message, MESSAGE_DESTROY);
}

TEST_F(EventPump, EventsPushedToSdlArriveThroughTheQueueAndWaitingTimesOut) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&e);
    queue.setSource(window.get());
    ASSERT_TRUE(queue.peek());
    platform::Message m;
    ASSERT_TRUE(queue.get(m));
    EXPECT_EQ(m.firstParameter, static_cast<uintptr_t>(KEY_SPACE));
    EXPECT_EQ(m.window, window.get());
    const Uint32 before = SDL_GetTicks();
    queue.waitFor(30);
    EXPECT_GE(SDL_GetTicks() - before, 25u);
}
