// Window creation and its test seam.
#include "platform/window.h"

#include "platform/diagnostics.h"
#include "platform/sdl_window.h"

namespace platform {

namespace {

int refusals = 0;

bool takeRefusal() {
    if (refusals <= 0) return false;
    --refusals;
    return true;
}

}  // namespace

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
