// A solid pen: a width in pixels and a colour in the platform's 0x00BBGGRR order.
#pragma once

#include <cstdint>

namespace platform {

class Pen {
public:
    Pen(int width, uint32_t colour) : width_(width < 1 ? 1 : width), colour_(colour) {}

    int width() const { return width_; }
    uint32_t colour() const { return colour_; }

private:
    int width_;
    uint32_t colour_;
};

}  // namespace platform
