// Placeholder until the bitmap loader and blitter land: images construct but never draw.
#include "media/image.h"

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
bool Image::createSurface() { return false; }
bool Image::loadBitmap() { return false; }
bool Image::releaseSurface() { return true; }
bool Image::restoreSurface() { return false; }
bool Image::blit(const int&, const int&, const int&) { return true; }
bool Image::blitClipped(const int&, const int&, const int&, const int&, const int&, const int&, const int&) {
    return true;
}
bool Image::alphaBlit(const int&, const int&, const int&, const int&) { return true; }
bool Image::alphaBlitClipped(const int&, const int&, const int&, const int&, const int&, const int&, const int&,
                             const int&) {
    return true;
}
