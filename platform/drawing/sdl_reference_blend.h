// SDL's own blended blit on surfaces shaped like ours, kept as the
// yardstick the benchmarks hold our alpha blend against.
#pragma once

struct SDL_Surface;

namespace platform {

class SdlReferenceBlend {
public:
    // A source and a destination of width x height in RGB565 (16 bits) or
    // XRGB8888 (32 bits), both filled with a fixed pattern.
    SdlReferenceBlend(const int& width, const int& height, const int& bitsPerPixel);
    SdlReferenceBlend(const SdlReferenceBlend&) = delete;
    SdlReferenceBlend& operator=(const SdlReferenceBlend&) = delete;
    ~SdlReferenceBlend();

    bool isValid() const { return source_ != nullptr && destination_ != nullptr; }

    // Draws the source over the destination: blended with SDL's surface
    // alpha modulation (0..255), or copied with blending off.
    bool blend(const int& alpha);
    bool copy();

private:
    SDL_Surface* source_ = nullptr;
    SDL_Surface* destination_ = nullptr;
};

}  // namespace platform
