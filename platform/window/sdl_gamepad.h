// Game controllers on SDL: pads plugged in or out at any time, their buttons
// and left stick turned into presses and releases of the KEY_GAMEPAD_* keys.
#pragma once

#include <cstdint>
#include <vector>

union SDL_Event;
struct _SDL_GameController;

namespace platform {

class SdlGamepads {
public:
    struct KeyChange {
        bool down;
        int key;
        bool operator==(const KeyChange&) const = default;
    };

    SdlGamepads() = default;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;
    ~SdlGamepads();

    // Starts SDL's game controller support; the pads already plugged in then
    // arrive as device-added events. Without it the game simply has no pads.
    void start();

    // The key presses and releases one SDL event stands for (often none).
    // A key is released only when no button or stick of any pad still holds it.
    std::vector<KeyChange> translate(const SDL_Event& event);

    int openCount() const { return static_cast<int>(pads_.size()); }

private:
    struct Pad {
        _SDL_GameController* controller;
        int32_t id;
        // Bits 1 << SDL button number of the mapped buttons now held.
        uint32_t buttons = 0;
        // Where the left stick holds the d-pad: -1, 0 or +1 on each axis.
        int stickX = 0;
        int stickY = 0;
    };

    Pad* find(int32_t id);
    void open(int deviceIndex);
    void close(int32_t id, std::vector<KeyChange>& changes);
    void press(Pad& pad, uint8_t button, bool down, std::vector<KeyChange>& changes);
    void moveStick(Pad& pad, uint8_t axis, int16_t value, std::vector<KeyChange>& changes);
    int holders(int key) const;
    void release(int key, std::vector<KeyChange>& changes) const;

    bool started_ = false;
    std::vector<Pad> pads_;
};

}  // namespace platform
