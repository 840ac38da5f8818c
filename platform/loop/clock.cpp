// The system clock: milliseconds of the monotonic clock, cut to 32 bits.
#include "platform/loop/clock.h"

#include <chrono>

namespace platform {

namespace {

class SystemClock : public Clock {
public:
    uint32_t milliseconds() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};

SystemClock systemClock;
Clock* currentClock = &systemClock;

}  // namespace

Clock& Clock::current() { return *currentClock; }

void Clock::replace(Clock* clock) { currentClock = clock != nullptr ? clock : &systemClock; }

}  // namespace platform
