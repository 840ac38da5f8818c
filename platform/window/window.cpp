// Window creation, its test seam, and the window's size on a desktop.
#include "platform/window/window.h"

#include <algorithm>

#include "platform/reports/diagnostics.h"
#include "platform/window/sdl_window.h"

namespace platform {

namespace {

int refusals = 0;

bool takeRefusal() {
    if (refusals <= 0) return false;
    --refusals;
    return true;
}

}  // namespace

void fitWindowSize(int usableWidth, int usableHeight, int& width, int& height) {
    if (width <= 0 || height <= 0) return;
    // Room is left for the window's frame and the desktop around it.
    const int times = std::max(1, std::min(usableWidth * 9 / 10 / width, usableHeight * 9 / 10 / height));
    width *= times;
    height *= times;
}

bool fitsDesktop(int usableWidth, int usableHeight, int width, int height) {
    constexpr int frameWidth = 16;
    constexpr int frameHeight = 48;
    if (usableWidth <= 0 || usableHeight <= 0) return true;
    return width + frameWidth <= usableWidth && height + frameHeight <= usableHeight;
}

void Window::refuseCreations(int n) { refusals = n; }

Window* Window::create(const WindowOptions& options) {
    if (takeRefusal()) {
        recordFailure("the window was refused");
        return nullptr;
    }
    auto* window = new SdlWindow(options);
    if (window->initialized()) return window;
    delete window;
    return nullptr;
}

}  // namespace platform
