// The program's one window: shown in full screen or as a captioned window,
// the source of its input events, and where the back buffer is shown.
#pragma once

#include "platform/drawing/rect.h"
#include "platform/loop/message_queue.h"

namespace platform {

class Surface;

struct WindowOptions {
    bool fullScreen = true;
    // The picture's size.
    int width = 800;
    int height = 600;
    // The client size remembered from an earlier run, used when the game is
    // (or later becomes) a window; 0, or a size that does not suit the
    // desktop, lets the window choose by fitWindowSize.
    int windowWidth = 0;
    int windowHeight = 0;
    const char* title = "";
    // A bitmap file for the window's icon; a missing or bad file gives none.
    const char* iconFile = nullptr;
};

// Window sizes kept between runs must lie within these.
constexpr int minimumWindowWidth = 400;
constexpr int minimumWindowHeight = 300;
constexpr int maximumWindowSide = 16384;

// The largest whole multiple of the picture (at least once) that fits in
// about 90 % of a desktop's usable area, as width and height.
void fitWindowSize(int usableWidth, int usableHeight, int& width, int& height);

// Whether a window of this client size lies within a desktop's usable area
// together with the frame the window manager draws around it: a title bar
// and borders of the usual themes. A desktop that tells no usable area
// (0 x 0) takes any size.
bool fitsDesktop(int usableWidth, int usableHeight, int width, int height);

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
    // Switches between full screen and a window, keeping the window, its
    // events and its picture; false when the platform refused.
    virtual bool setFullScreen(bool fullScreen) = 0;
    // The client size the window has when it is not full screen (the size
    // it will take when it becomes a window). True once the game has been
    // in a window, so that a size never used is not remembered.
    virtual bool windowedSize(int& width, int& height) const = 0;
    // Takes the window off the screen for good; later presents do nothing.
    virtual void destroy() = 0;
    virtual bool isDestroyed() const = 0;
    // Shows the picture, scaled to fit and letterboxed in full screen. A
    // picture equal to the one on the screen is not shown again.
    virtual bool present(const Surface& picture) = 0;
    // The same for a picture known to differ from the last one presented
    // only inside mayDiffer.
    virtual bool present(const Surface& picture, const Rect& mayDiffer) = 0;
    // The screen no longer holds the last picture: the next present shows
    // all of it.
    virtual void invalidate() = 0;
    // How many pictures reached the screen; unchanged ones are not counted.
    virtual int presentCount() const = 0;
    // The refresh rate of the window's display in Hz, 0 when it is not told.
    virtual int refreshRate() const = 0;
    // The desktop's colour depth: 16, 24 or 32 (or less on a palette desktop).
    virtual int desktopBitsPerPixel() const = 0;
    // The toolkit's own handle, for dialogs that belong to the window.
    virtual void* nativeHandle() const = 0;
};

}  // namespace platform
