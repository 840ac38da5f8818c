// The millisecond clock that paces the frames: 32 bits that wrap around, as
// the multimedia timer does. Tests replace it to drive the loop by hand.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t milliseconds() = 0;

    // The clock in use: the system's, unless a test replaced it.
    static Clock& current();
    // Installs a clock (not owned); nullptr puts the system clock back.
    static void replace(Clock* clock);
};

}  // namespace platform
