// Game controllers on SDL: opening and closing pads as they come and go, and
// their buttons and left stick as KEY_GAMEPAD_* presses and releases.
#include "platform/window/sdl_gamepad.h"

#include <SDL.h>

#include <algorithm>

#include "app/events.h"

namespace platform {

namespace {

// The stick presses the d-pad past half its travel and lets go only once it
// is back within a quarter, so a stick resting near the edge does not chatter.
constexpr int stickPressAt = 16384;
constexpr int stickReleaseAt = 8192;

// The key a controller button stands for, or 0 for buttons the game does not use.
int keyOfButton(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A: return KEY_GAMEPAD_A;
        case SDL_CONTROLLER_BUTTON_B: return KEY_GAMEPAD_B;
        case SDL_CONTROLLER_BUTTON_X: return KEY_GAMEPAD_X;
        case SDL_CONTROLLER_BUTTON_Y: return KEY_GAMEPAD_Y;
        case SDL_CONTROLLER_BUTTON_DPAD_UP: return KEY_GAMEPAD_DPAD_UP;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return KEY_GAMEPAD_DPAD_DOWN;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return KEY_GAMEPAD_DPAD_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return KEY_GAMEPAD_DPAD_RIGHT;
        case SDL_CONTROLLER_BUTTON_START: return KEY_GAMEPAD_START;
        case SDL_CONTROLLER_BUTTON_BACK: return KEY_GAMEPAD_BACK;
        default: return 0;
    }
}

// The d-pad key a stick position on one axis holds: -1 is left or up.
int keyOfStick(bool horizontal, int direction) {
    if (direction == 0) return 0;
    if (horizontal) return direction < 0 ? KEY_GAMEPAD_DPAD_LEFT : KEY_GAMEPAD_DPAD_RIGHT;
    return direction < 0 ? KEY_GAMEPAD_DPAD_UP : KEY_GAMEPAD_DPAD_DOWN;
}

int nextStickDirection(int direction, int value) {
    if (direction < 0 && value > -stickReleaseAt) direction = 0;
    if (direction > 0 && value < stickReleaseAt) direction = 0;
    if (direction == 0) {
        if (value <= -stickPressAt) return -1;
        if (value >= stickPressAt) return 1;
    }
    return direction;
}

}  // namespace

SdlGamepads::~SdlGamepads() {
    for (const Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepads::start() {
    if (!started_) started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlGamepads::Pad* SdlGamepads::find(int32_t id) {
    for (Pad& pad : pads_)
        if (pad.id == id) return &pad;
    return nullptr;
}

void SdlGamepads::open(int deviceIndex) {
    // A pad that was already there when SDL started is announced again.
    if (find(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (id < 0 || find(id) != nullptr) {
        SDL_GameControllerClose(controller);
        return;
    }
    pads_.push_back(Pad{controller, id});
}

void SdlGamepads::close(int32_t id, std::vector<KeyChange>& changes) {
    const auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    if (pad == pads_.end()) return;
    // Whatever the pad held when it went away is let go, so that no key stays down.
    std::vector<int> held{keyOfStick(true, pad->stickX), keyOfStick(false, pad->stickY)};
    for (int button = 0; button < 32; ++button)
        if ((pad->buttons & (1u << button)) != 0) held.push_back(keyOfButton(button));
    SDL_GameControllerClose(pad->controller);
    pads_.erase(pad);
    std::sort(held.begin(), held.end());
    held.erase(std::unique(held.begin(), held.end()), held.end());
    for (int key : held)
        if (key != 0) release(key, changes);
}

int SdlGamepads::holders(int key) const {
    int count = 0;
    for (const Pad& pad : pads_) {
        for (int button = 0; button < 32; ++button)
            if ((pad.buttons & (1u << button)) != 0 && keyOfButton(button) == key) ++count;
        if (keyOfStick(true, pad.stickX) == key) ++count;
        if (keyOfStick(false, pad.stickY) == key) ++count;
    }
    return count;
}

void SdlGamepads::release(int key, std::vector<KeyChange>& changes) const {
    if (holders(key) == 0) changes.push_back({false, key});
}

void SdlGamepads::press(Pad& pad, uint8_t button, bool down, std::vector<KeyChange>& changes) {
    const int key = keyOfButton(button);
    if (key == 0) return;
    const uint32_t bit = 1u << button;
    if (((pad.buttons & bit) != 0) == down) return;
    if (down) {
        pad.buttons |= bit;
        changes.push_back({true, key});
    } else {
        pad.buttons &= ~bit;
        release(key, changes);
    }
}

void SdlGamepads::moveStick(Pad& pad, uint8_t axis, int16_t value, std::vector<KeyChange>& changes) {
    if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) return;
    const bool horizontal = axis == SDL_CONTROLLER_AXIS_LEFTX;
    int& direction = horizontal ? pad.stickX : pad.stickY;
    const int next = nextStickDirection(direction, value);
    if (next == direction) return;
    const int previousKey = keyOfStick(horizontal, direction);
    direction = 0;
    if (previousKey != 0) release(previousKey, changes);
    direction = next;
    if (next != 0) changes.push_back({true, keyOfStick(horizontal, next)});
}

std::vector<SdlGamepads::KeyChange> SdlGamepads::translate(const SDL_Event& event) {
    std::vector<KeyChange> changes;
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: open(event.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: close(event.cdevice.which, changes); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (Pad* pad = find(event.cbutton.which))
                press(*pad, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN, changes);
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (Pad* pad = find(event.caxis.which)) moveStick(*pad, event.caxis.axis, event.caxis.value, changes);
            break;
        default: break;
    }
    return changes;
}

}  // namespace platform
