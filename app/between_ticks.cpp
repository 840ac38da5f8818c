// The application's pictures between ticks: drawn into a surface of their
// own, so that the back buffer keeps the tick's picture, and dropped when
// anything fails, so that nothing is restored or reported for them.
#include "app/application.h"

#include "display/sprite.h"
#include "platform/drawing/surface.h"

bool Application::drawBetweenTicks(platform::Surface& picture, const double& fraction, const bool& fromTickPicture) {
    if (theRootNode == nullptr || backBuffer == nullptr || backBufferDC != nullptr) return false;
    if (picture.width() != width || picture.height() != height || picture.bitsPerPixel() != bitsPerPixel) return false;
    if (backBuffer->isLost()) return false;
    if (fromTickPicture && !picture.blit(0, 0, *backBuffer, platform::Rect{0, 0, width, height}, false)) return false;
    platform::Surface* const tickPicture = backBuffer;
    backBuffer = &picture;
    drawingBetweenTicks = true;
    betweenTicksFraction = fraction;
    const bool drawn = theRootNode->draw();
    drawingBetweenTicks = false;
    betweenTicksFraction = 0;
    // A drawing left open belongs to this picture and goes with it.
    releaseCanvas();
    backBuffer = tickPicture;
    return drawn;
}
