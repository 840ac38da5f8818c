// Game controllers, driven through SDL's virtual pads and the window's event
// pump: buttons and the left stick arrive as KEY_GAMEPAD_* presses and releases.
#include "platform/window/sdl_window.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "app/events.h"
#include "platform/loop/message_queue.h"

namespace {

struct Key {
    uint32_t message;
    uintptr_t code;
    bool operator==(const Key&) const = default;
};
using Keys = std::vector<Key>;

constexpr Key down(int code) { return {MESSAGE_KEY_DOWN, static_cast<uintptr_t>(code)}; }
constexpr Key up(int code) { return {MESSAGE_KEY_UP, static_cast<uintptr_t>(code)}; }

// A pad as a player holds it: SDL sees a virtual joystick that it maps as a
// standard game controller, every button and axis in SDL's own order.
class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc description{};
        description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        description.naxes = SDL_CONTROLLER_AXIS_MAX;
        description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        description.name = "test pad";
        const int index = SDL_JoystickAttachVirtualEx(&description);
        if (index < 0) return;
        instance_ = SDL_JoystickGetDeviceInstanceID(index);
        joystick_ = SDL_JoystickOpen(index);
    }
    ~VirtualPad() { unplug(); }
    bool attached() const { return joystick_ != nullptr && SDL_IsGameController(deviceIndex()) == SDL_TRUE; }
    void button(SDL_GameControllerButton b, bool held) { SDL_JoystickSetVirtualButton(joystick_, b, held ? 1 : 0); }
    void axis(SDL_GameControllerAxis a, int16_t value) { SDL_JoystickSetVirtualAxis(joystick_, a, value); }
    SDL_JoystickID instance() const { return instance_; }
    void unplug() {
        if (joystick_ == nullptr) return;
        const int index = deviceIndex();
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        if (index >= 0) SDL_JoystickDetachVirtual(index);
    }

private:
    int deviceIndex() const {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == instance_) return i;
        return -1;
    }
    SDL_JoystickID instance_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

class Gamepad : public ::testing::Test {
protected:
    void SetUp() override {
        // The test's window never has the focus; the pads must still be heard.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        platform::WindowOptions options;
        options.fullScreen = false;
        window = std::make_unique<platform::SdlWindow>(options);
        ASSERT_TRUE(window->initialized());
    }
    void TearDown() override { SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, nullptr); }

    std::unique_ptr<VirtualPad> plugIn() {
        auto pad = std::make_unique<VirtualPad>();
        EXPECT_TRUE(pad->attached()) << SDL_GetError();
        EXPECT_EQ(keys(), Keys{}) << "plugging in presses nothing";
        return pad;
    }
    // The key messages the pump delivers for what the pads did since the last call.
    Keys keys() {
        window->pollEvents(queue);
        Keys out;
        platform::Message m;
        while (queue.peek() && queue.get(m)) {
            EXPECT_EQ(m.secondParameter, 0) << "pad keys carry no modifiers";
            out.push_back({m.message, m.firstParameter});
        }
        return out;
    }

    std::unique_ptr<platform::SdlWindow> window;
    platform::MessageQueue queue;
};

}  // namespace

TEST_F(Gamepad, TheButtonsTheGameUsesAreKeysAndTheLeftStickIsTheDpadWithHysteresis) {
    auto pad = plugIn();
    ASSERT_TRUE(pad->attached());
    const std::pair<SDL_GameControllerButton, int> buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, KEY_GAMEPAD_A},         {SDL_CONTROLLER_BUTTON_B, KEY_GAMEPAD_B},
        {SDL_CONTROLLER_BUTTON_X, KEY_GAMEPAD_X},         {SDL_CONTROLLER_BUTTON_Y, KEY_GAMEPAD_Y},
        {SDL_CONTROLLER_BUTTON_START, KEY_GAMEPAD_START}, {SDL_CONTROLLER_BUTTON_BACK, KEY_GAMEPAD_BACK},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, KEY_GAMEPAD_DPAD_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KEY_GAMEPAD_DPAD_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KEY_GAMEPAD_DPAD_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KEY_GAMEPAD_DPAD_RIGHT},
        // Buttons, the right stick and the triggers the game does not use say nothing.
        {SDL_CONTROLLER_BUTTON_GUIDE, 0}, {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0}, {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0}};
    for (const auto& [button, key] : buttons) {
        for (const bool held : {true, false}) {
            pad->button(button, held);
            if (key == 0) pad->axis(SDL_CONTROLLER_AXIS_RIGHTX, held ? 32767 : 0);
            if (key == 0) pad->axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, held ? 32767 : 0);
            EXPECT_EQ(keys(), key == 0 ? Keys{} : Keys{held ? down(key) : up(key)}) << "button " << button;
        }
    }

    const auto x = SDL_CONTROLLER_AXIS_LEFTX, y = SDL_CONTROLLER_AXIS_LEFTY;
    const struct {
        SDL_GameControllerAxis axis;
        int16_t value;
        Keys expected;
    } stick[] = {
        {x, 12000, {}},  // a light touch is nothing
        {x, 20000, {down(KEY_GAMEPAD_DPAD_RIGHT)}},
        {x, 30000, {}},  // further out is the same press
        {x, 12000, {}},  // on its way back, still held
        {x, 20000, {}},  // wobbling near the edge: no chatter
        {x, 4000, {up(KEY_GAMEPAD_DPAD_RIGHT)}},
        {x, -32768, {down(KEY_GAMEPAD_DPAD_LEFT)}},
        {x, 32767, {up(KEY_GAMEPAD_DPAD_LEFT), down(KEY_GAMEPAD_DPAD_RIGHT)}},
        {x, 0, {up(KEY_GAMEPAD_DPAD_RIGHT)}},
        {y, -20000, {down(KEY_GAMEPAD_DPAD_UP)}},
        {y, -1000, {up(KEY_GAMEPAD_DPAD_UP)}},
        {y, 20000, {down(KEY_GAMEPAD_DPAD_DOWN)}},
        {y, 0, {up(KEY_GAMEPAD_DPAD_DOWN)}},
    };
    for (const auto& step : stick) {
        pad->axis(step.axis, step.value);
        EXPECT_EQ(keys(), step.expected) << "axis " << step.axis << " at " << step.value;
    }
}

TEST_F(Gamepad, AKeyHeldByTwoSourcesIsReleasedWithTheLastAndAPadPulledOutLetsGoOfAll) {
    auto first = plugIn();
    auto second = plugIn();
    ASSERT_TRUE(first->attached() && second->attached());

    // The stick and the d-pad of one pad, and the X of two pads, hold one key
    // each; every press is heard, as a held key repeats.
    first->axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    EXPECT_EQ(keys(), Keys{down(KEY_GAMEPAD_DPAD_UP)});
    first->button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(keys(), Keys{down(KEY_GAMEPAD_DPAD_UP)});
    first->button(SDL_CONTROLLER_BUTTON_X, true);
    second->button(SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_EQ(keys(), (Keys{down(KEY_GAMEPAD_X), down(KEY_GAMEPAD_X)}));
    first->button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    first->button(SDL_CONTROLLER_BUTTON_X, false);
    EXPECT_EQ(keys(), Keys{}) << "the stick and the second pad still hold them";

    // A pad gone while holding, without SDL letting go of its buttons first:
    // every key it alone held comes up, once, and its last events are ignored.
    first->button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(keys(), Keys{down(KEY_GAMEPAD_A)});
    SDL_Event removed{};
    removed.type = SDL_CONTROLLERDEVICEREMOVED;
    removed.cdevice.which = first->instance();
    window->translate(removed, queue);
    Keys released = keys();
    std::sort(released.begin(), released.end(), [](const Key& a, const Key& b) { return a.code < b.code; });
    EXPECT_EQ(released, (Keys{up(KEY_GAMEPAD_A), up(KEY_GAMEPAD_DPAD_UP)}));
    first->unplug();
    EXPECT_EQ(keys(), Keys{});

    // Pulled out for real while X is held: X comes up.
    second->unplug();
    EXPECT_EQ(keys(), Keys{up(KEY_GAMEPAD_X)});

    // Plugged in again, a pad works as before.
    first = plugIn();
    first->button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(keys(), Keys{down(KEY_GAMEPAD_B)});
    first->button(SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_EQ(keys(), Keys{up(KEY_GAMEPAD_B)});
}
