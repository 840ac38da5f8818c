// A bitmap in a display surface: creation, loading, restoring after a loss,
// and drawing its frames onto the back buffer plain, keyed or blended.
#include "media/image.h"

#include <algorithm>
#include <string>

#include "app/application.h"
#include "app/language.h"
#include "media/alpha_blend.h"
#include "platform/files/bitmap_loader.h"
#include "platform/drawing/display_device.h"
#include "platform/reports/file_report.h"
#include "platform/drawing/surface.h"

Image::Image(const char* const& fileName_, const int& width_, const int& height_, const int& columns_,
             const int& rows_, const int& frameCount_)
    : fileName(fileName_), width(width_), height(height_), frameWidth(columns_ > 0 ? width_ / columns_ : 0),
      frameHeight(rows_ > 0 ? height_ / rows_ : 0), columns(columns_), rows(rows_), frameCount(frameCount_),
      hasColourKey(false), colourKeyLow(0), colourKeyHigh(0) {}

Image::Image(const char* const& fileName_, const int& width_, const int& height_, const int& columns_,
             const int& rows_, const int& frameCount_, const uint32_t& low, const uint32_t& high)
    : Image(fileName_, width_, height_, columns_, rows_, frameCount_) {
    hasColourKey = true;
    colourKeyLow = low;
    colourKeyHigh = high;
}

Image::~Image() { releaseSurface(); }

bool Image::createSurface() {
    if (surface != nullptr) return true;
    if (theApplication == nullptr || theApplication->directDraw == nullptr) return false;
    surface = theApplication->directDraw->createSurface(width, height);
    if (surface == nullptr) return false;
    if (hasColourKey) surface->setColourKey(colourKeyLow, colourKeyHigh);
    return loadBitmap();
}

bool Image::loadBitmap() {
    // The program carries no bitmap resources, so the file is the only source:
    // the translated picture where there is one, else the English one.
    platform::DecodedBitmap bitmap;
    const std::string translated = fileName != nullptr ? Language::translatedOrEnglish(fileName) : std::string();
    bool loaded = false;
    if (fileName != nullptr && translated != fileName) {
        const char* const translatedName = translated.c_str();
        loaded = platform::loadBitmapFile(translatedName, width, height, bitmap);
        if (!loaded) platform::reportUnusableFile("picture", translatedName);
    }
    if (!loaded && !platform::loadBitmapFile(fileName, width, height, bitmap)) {
        platform::reportUnusableFile("picture", fileName);
        return false;
    }
    if (surface == nullptr) return false;
    return platform::copyBitmapToSurface(bitmap, *surface);
}

bool Image::releaseSurface() {
    // The device owns its surfaces; once it is gone, so is ours.
    if (surface != nullptr && theApplication != nullptr && theApplication->directDraw != nullptr)
        theApplication->directDraw->releaseSurface(surface);
    surface = nullptr;
    return true;
}

bool Image::restoreSurface() {
    // Restored memory is blank: reload the picture into it.
    if (surface != nullptr && surface->restore()) return loadBitmap();
    releaseSurface();
    return createSurface();
}

namespace {

// The rectangle of the image's surface that feeds destination {L, T, R, B}
// when the frame's top-left corner is drawn at (x, y).
platform::Rect sourceRectangle(const Image& image, const int& x, const int& y, const platform::Rect& target,
                               const int& frame) {
    const int column = image.columns > 0 ? frame % image.columns : 0;
    const int row = image.columns > 0 ? frame / image.columns : 0;
    const int left = column * image.frameWidth;
    const int top = row * image.frameHeight;
    return platform::Rect{left + (target.left - x), top + (target.top - y), left + (target.right - x),
                          top + (target.bottom - y)};
}

}  // namespace

bool Image::blit(const int& x, const int& y, const int& frame) {
    return blitClipped(x, y, x, y, x + frameWidth, y + frameHeight, frame);
}

bool Image::blitClipped(const int& x, const int& y, const int& clipLeft, const int& clipTop, const int& clipRight,
                        const int& clipBottom, const int& frame) {
    if (surface == nullptr) return false;
    const platform::Rect target{std::max(clipLeft, x), std::max(clipTop, y), std::min(x + frameWidth, clipRight),
                                std::min(y + frameHeight, clipBottom)};
    if (target.empty()) return true;
    if (theApplication == nullptr || theApplication->backBuffer == nullptr) return false;
    const platform::Rect source = sourceRectangle(*this, x, y, target, frame);
    platform::Surface* backBuffer = theApplication->backBuffer;
    if (backBuffer->blit(target.left, target.top, *surface, source, hasColourKey)) return true;
    // A picture between ticks restores nothing: it is dropped, and the next
    // frame restores what was lost.
    if (theApplication->drawingBetweenTicks) return false;
    restoreSurface();
    return surface != nullptr && backBuffer->blit(target.left, target.top, *surface, source, hasColourKey);
}

bool Image::alphaBlit(const int& x, const int& y, const int& frame, const int& alpha) {
    return alphaBlitClipped(x, y, x, y, x + frameWidth, y + frameHeight, frame, alpha);
}

bool Image::alphaBlitClipped(const int& x, const int& y, const int& clipLeft, const int& clipTop,
                             const int& clipRight, const int& clipBottom, const int& frame, const int& alpha) {
    if (surface == nullptr) return false;
    if (theApplication == nullptr || theApplication->backBuffer == nullptr) return false;
    const int displayWidth = theApplication->width;
    const int displayHeight = theApplication->height;
    const int bits = theApplication->bitsPerPixel;
    if (x >= displayWidth || y >= displayHeight || clipLeft >= displayWidth || clipTop >= displayHeight ||
        x + frameWidth <= 0 || y + frameHeight <= 0 || clipRight <= 0 || clipBottom <= 0)
        return true;
    platform::Surface* backBuffer = theApplication->backBuffer;
    // Within the back buffer's own clip too, as the other blits are.
    const platform::Rect target = backBuffer->clipFor(platform::Rect{
        std::max({x, clipLeft, 0}), std::max({y, clipTop, 0}), std::min({x + frameWidth, clipRight, displayWidth}),
        std::min({y + frameHeight, clipBottom, displayHeight})});
    if (target.empty()) return true;
    const platform::Rect source = sourceRectangle(*this, x, y, target, frame);
    const int bytesPerRow = (target.width() * bits) / 8;

    uint8_t* destinationRow = nullptr;
    int destinationPitch = 0;
    if (!backBuffer->lock(target, destinationRow, destinationPitch)) return false;
    uint8_t* sourceRow = nullptr;
    int sourcePitch = 0;
    if (!surface->lock(source, sourceRow, sourcePitch)) {
        if (!theApplication->drawingBetweenTicks) restoreSurface();
        if (surface == nullptr || !surface->lock(source, sourceRow, sourcePitch)) {
            backBuffer->unlock();
            return false;
        }
    }

    // Both surfaces must really have the depth the arithmetic assumes, or the
    // rows would be walked with the wrong pixel size. Alpha outside 0..128
    // would overflow the weights, so it is held to that range.
    const bool depthsAgree = backBuffer->bitsPerPixel() == bits && surface->bitsPerPixel() == bits;
    const int weight = std::clamp(alpha, 0, 128);
    for (int row = 0; depthsAgree && row < target.height(); ++row) {
        if (bits >= 24)
            alpha_blend::blendBytes(destinationRow, sourceRow, bytesPerRow, weight);
        else if (bits == 16)
            alpha_blend::blendPixels565(destinationRow, sourceRow, (bytesPerRow + 1) / 2, weight);
        destinationRow += destinationPitch;
        sourceRow += sourcePitch;
    }

    if (!surface->unlock()) {
        backBuffer->unlock();
        return false;
    }
    return backBuffer->unlock();
}
