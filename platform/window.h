// The program's one window: shown in full screen or as a captioned window,
// the source of its input events, and where the back buffer is shown.
#pragma once

#include "platform/message_queue.h"

namespace platform {

class Surface;

struct WindowOptions {
    bool fullScreen = true;
    int width = 800;
    int height = 600;
    const char* title = "";
    // A bitmap file for the window's icon; a missing or bad file gives none.
    const char* iconFile = nullptr;
};

class Window : public EventSource {
public:
    // The SDL window, or nullptr when it cannot be made (or a test refused it).
    static Window* create(const WindowOptions& options);
    // Test seam: the next n creations are refused.
    static void refuseCreations(int n);

    // Shows the window the way the show command asks (minimised or normal).
    virtual void show(int showCommand) = 0;
    // Windowed mode: makes the client area exactly width x height.
    virtual void resizeClient(int width, int height) = 0;
    // Takes the window off the screen for good; later presents do nothing.
    virtual void destroy() = 0;
    virtual bool isDestroyed() const = 0;
    // Shows the picture, scaled to fit and letterboxed in full screen. A
    // picture equal to the one on the screen is not shown again.
    virtual bool present(const Surface& picture) = 0;
    // The screen no longer holds the last picture: the next present shows
    // all of it.
    virtual void invalidate() = 0;
    // The desktop's colour depth: 16, 24 or 32 (or less on a palette desktop).
    virtual int desktopBitsPerPixel() const = 0;
    // The toolkit's own handle, for dialogs that belong to the window.
    virtual void* nativeHandle() const = 0;
};

}  // namespace platform
