// Paces what the window shows: the frames of the frame loop, on ticks, and
// with smooth motion pictures between them at the screen's refresh rate, in
// which whatever moved or faded in the last tick is drawn part of the way
// and input is answered at once. Also feeds the --frame-stats figures.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "display/tick_motion.h"
#include "platform/drawing/rect.h"

class Application;
class FrameStats;
class Sprite;

namespace platform {
class Surface;
struct Message;
}  // namespace platform

class PicturePacer {
public:
    // smooth: pictures between ticks; stats: where the figures go (nullptr:
    // none are kept). Not owned.
    PicturePacer(Application& application, const bool& smooth, FrameStats* const& stats);
    ~PicturePacer();
    PicturePacer(const PicturePacer&) = delete;
    PicturePacer& operator=(const PicturePacer&) = delete;

    // Runs the frame when it is due (Application::runFrame), else a picture
    // between ticks when one is due. False only when the frame failed.
    bool runDue();
    // Milliseconds until runDue has something to do.
    int timeUntilDue();
    // The window procedure has handled message.
    void handled(const platform::Message& message);

    // Pictures in one tick interval, the tick's own included: as many as the
    // refresh rate has room for (4 at 60 Hz), evenly spaced.
    int picturesPerTick() const { return picturesPerTick_; }

private:
    bool runTick();
    void drawBetween(const uint32_t& now);
    // The next place for a picture between ticks, 1 to picturesPerTick - 1,
    // or 0 when none is wanted or none is left before the tick.
    int nextSlot() const;
    // Milliseconds after the tick when the slot's picture is due.
    int slotDue(const int& slot) const;
    int sinceTick(const uint32_t& now) const;
    // Whether the refresh rate leaves room for one more picture now; taking
    // it for a tick's picture, which never waits, whatever the room.
    bool takeRoom(const uint32_t& now, const bool& tick);
    int presentCount() const;
    void answerInput(const uint32_t& shownAt);

    Application& application_;
    const bool smooth_;
    FrameStats* const stats_;
    TickMotion motion_;
    std::unique_ptr<platform::Surface> picture_;
    double refreshInterval_;
    int picturesPerTick_;
    // Something moved, faded or changed its drawing in the last tick.
    bool moving_ = false;
    // A message was handled since the last picture.
    bool answerDue_ = false;
    // A picture between ticks failed: none more until the next tick.
    bool dropped_ = false;
    // The picture between ticks holds one drawn since the tick.
    bool drawnSinceTick_ = false;
    // Where that picture shows the nodes that moved or faded.
    platform::Rect movedArea_;
    // The last slot of this tick interval that was drawn or passed.
    int slot_ = 0;
    // When the last picture, of a tick or between ticks, was begun.
    uint32_t lastPicture_ = 0;
    // Pictures the refresh rate still has room for: one comes back every
    // refresh interval, up to two in hand, so that over time there are no
    // more pictures than the screen can show.
    double room_ = 2;
    uint32_t roomCountedAt_ = 0;
    // About how long a picture between ticks takes, in milliseconds.
    double pictureCost_ = 0;
    // When each input event handled since the last picture happened.
    std::vector<uint32_t> waitingInput_;
    // The screen (the root's child) after the last tick or message: a
    // message that changed it waited for the new screen's pictures and
    // sounds to load, not for a picture, and is left out of the figures.
    const Sprite* screen_ = nullptr;
};
