// The display device's surface bookkeeping.
#include "platform/drawing/display_device.h"

#include <algorithm>
#include <new>
#include <string>

#include "platform/reports/diagnostics.h"
#include "platform/drawing/surface.h"

namespace platform {

namespace {
int deviceRefusals = 0;
}

DisplayDevice::DisplayDevice(int bitsPerPixel) : bitsPerPixel_(bitsPerPixel) {}

DisplayDevice* DisplayDevice::create(int bitsPerPixel) {
    if (deviceRefusals > 0) {
        --deviceRefusals;
        recordFailure("the display device was refused");
        return nullptr;
    }
    DisplayDevice* device = new (std::nothrow) DisplayDevice(bitsPerPixel);
    if (device == nullptr) recordFailure("no memory for the display device");
    return device;
}

void DisplayDevice::refuseCreations(int n) { deviceRefusals = n; }

DisplayDevice::~DisplayDevice() {
    for (Surface* s : surfaces_) delete s;
}

Surface* DisplayDevice::createSurface(int width, int height) {
    if (refusals_ > 0) {
        --refusals_;
        recordFailure("the surface was refused");
        return nullptr;
    }
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    Surface* s = new (std::nothrow) Surface(width, height, bitsPerPixel_);
    if (s == nullptr) {
        recordFailure("no memory for a surface of " + std::to_string(width) + " x " + std::to_string(height));
        return nullptr;
    }
    surfaces_.push_back(s);
    return s;
}

void DisplayDevice::releaseSurface(Surface* surface) {
    auto it = std::find(surfaces_.begin(), surfaces_.end(), surface);
    if (it == surfaces_.end()) return;
    surfaces_.erase(it);
    delete surface;
}

void DisplayDevice::loseAllSurfaces() {
    for (Surface* s : surfaces_) s->setLost(true);
}

}  // namespace platform
