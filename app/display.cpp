// The display device: the surfaces every frame goes through, their restore
// after a loss, and showing the back buffer.
#include "app/application.h"

#include <string>

#include "platform/reports/diagnostics.h"
#include "platform/drawing/display_device.h"
#include "platform/drawing/draw_context.h"
#include "platform/drawing/font.h"
#include "platform/drawing/pen.h"
#include "platform/drawing/surface.h"
#include "platform/window/window.h"

bool Application::createDisplay() {
    if (window == nullptr) return false;
    // Full screen shows the picture at the asked depth, scaled by the
    // presenter; the desktop's mode itself is never switched. A window has
    // the desktop's depth.
    directDraw = platform::DisplayDevice::create(fullScreen ? displayBits : window->desktopBitsPerPixel());
    return directDraw != nullptr;
}

bool Application::createSurfaces() {
    if (directDraw == nullptr) return false;
    primarySurface = directDraw->createSurface(width, height);
    if (primarySurface == nullptr) return false;
    backBuffer = directDraw->createSurface(width, height);
    if (backBuffer == nullptr) return false;
    backBuffer->setClip(platform::Rect{0, 0, width, height});
    // Only plain RGB pixels of 16, 24 or 32 bits can be drawn.
    const int bits = directDraw->bitsPerPixel();
    if (bits != 16 && bits != 24 && bits != 32) {
        // An unknown depth (0) keeps the platform's own reason.
        if (bits != 0) {
            platform::recordFailure("a colour depth of " + std::to_string(bits) +
                                    " bits cannot be drawn (16, 24 or 32 can)");
        }
        return false;
    }
    bitsPerPixel = bits;
    return true;
}

bool Application::releaseSurfaces() {
    if (directDraw == nullptr) return true;
    releaseCanvas();
    if (backBuffer != nullptr) directDraw->releaseSurface(backBuffer);
    backBuffer = nullptr;
    if (primarySurface != nullptr) directDraw->releaseSurface(primarySurface);
    primarySurface = nullptr;
    return true;
}

bool Application::releaseDisplay() {
    delete directDraw;
    directDraw = nullptr;
    return true;
}

bool Application::restoreSurfaces() {
    // A drawing left open holds the back buffer; it cannot survive a restore.
    releaseCanvas();
    // What the screen shows came from the lost surfaces.
    if (window != nullptr) window->invalidate();
    if (primarySurface != nullptr && backBuffer != nullptr && primarySurface->restore() && backBuffer->restore()) {
        return true;
    }
    releaseSurfaces();
    return createSurfaces();
}

bool Application::present() {
    if (window == nullptr || primarySurface == nullptr || backBuffer == nullptr) return false;
    if (primarySurface->isLost() || backBuffer->isLost()) return false;
    return window->present(*backBuffer);
}

void Application::releaseCanvas() {
    if (backBufferDC != nullptr) {
        backBufferDC->selectPen(previousPen);
        backBufferDC->selectFont(previousFont);
    }
    delete pen;
    pen = nullptr;
    previousPen = nullptr;
    delete font;
    font = nullptr;
    previousFont = nullptr;
    delete backBufferDC;
    backBufferDC = nullptr;
}
