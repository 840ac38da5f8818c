// A bitmap loaded by name into a display surface and cut into a grid of
// frames, drawn onto the back buffer plain, colour-keyed, clipped or blended.
#pragma once

#include <cstdint>

namespace platform {
class Surface;
}

class Image {
public:
    Image(const char* const& fileName, const int& width, const int& height, const int& columns, const int& rows,
          const int& frameCount);
    Image(const char* const& fileName, const int& width, const int& height, const int& columns, const int& rows,
          const int& frameCount, const uint32_t& colourKeyLow, const uint32_t& colourKeyHigh);
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    bool createSurface();
    bool loadBitmap();
    bool releaseSurface();
    bool restoreSurface();

    bool blit(const int& x, const int& y, const int& frame);
    bool blitClipped(const int& x, const int& y, const int& clipLeft, const int& clipTop, const int& clipRight,
                     const int& clipBottom, const int& frame);
    bool alphaBlit(const int& x, const int& y, const int& frame, const int& alpha);
    bool alphaBlitClipped(const int& x, const int& y, const int& clipLeft, const int& clipTop, const int& clipRight,
                          const int& clipBottom, const int& frame, const int& alpha);

    const char* fileName;
    int width;
    int height;
    int frameWidth;
    int frameHeight;
    int columns;
    int rows;
    int frameCount;
    bool hasColourKey;
    uint32_t colourKeyLow;
    uint32_t colourKeyHigh;
    platform::Surface* surface = nullptr;
};
