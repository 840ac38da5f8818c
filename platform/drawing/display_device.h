// The display device, the stand-in for the DirectDraw object: makes surfaces
// in the display's pixel format and can lose them all at once, as a mode
// switch or another program taking the screen would.
#pragma once

#include <vector>

namespace platform {

class Surface;

class DisplayDevice {
public:
    explicit DisplayDevice(int bitsPerPixel);
    // A device whose surfaces have the given depth, or nullptr when a test
    // refused it.
    static DisplayDevice* create(int bitsPerPixel);
    // Test seam: the next n calls of create are refused.
    static void refuseCreations(int n);

    DisplayDevice(const DisplayDevice&) = delete;
    DisplayDevice& operator=(const DisplayDevice&) = delete;
    virtual ~DisplayDevice();

    int bitsPerPixel() const { return bitsPerPixel_; }
    void setBitsPerPixel(int bits) { bitsPerPixel_ = bits; }

    // A new surface in the display's pixel format, or nullptr when refused.
    Surface* createSurface(int width, int height);
    // Releases a surface made here.
    void releaseSurface(Surface* surface);

    // Marks every surface made here as lost.
    void loseAllSurfaces();

    // Test seam: the next n surface creations are refused.
    void refuseSurfaceCreations(int n) { refusals_ = n; }

private:
    int bitsPerPixel_;
    int refusals_ = 0;
    std::vector<Surface*> surfaces_;
};

}  // namespace platform
