// SDL's blended and plain surface blits, for side-by-side measurements.
#include "platform/drawing/sdl_reference_blend.h"

#include <SDL.h>

#include <cstdint>

namespace platform {

namespace {

SDL_Surface* patterned(const int& width, const int& height, const int& bitsPerPixel, const uint32_t& seed) {
    const uint32_t format = bitsPerPixel == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_XRGB8888;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, bitsPerPixel, format);
    if (surface == nullptr) return nullptr;
    uint32_t state = seed;
    auto* bytes = static_cast<uint8_t*>(surface->pixels);
    for (int i = 0; i < surface->pitch * height; ++i) {
        state = state * 214013u + 2531011u;
        bytes[i] = static_cast<uint8_t>(state >> 16);
    }
    return surface;
}

}  // namespace

SdlReferenceBlend::SdlReferenceBlend(const int& width, const int& height, const int& bitsPerPixel)
    : source_(patterned(width, height, bitsPerPixel, 1)), destination_(patterned(width, height, bitsPerPixel, 2)) {}

SdlReferenceBlend::~SdlReferenceBlend() {
    SDL_FreeSurface(source_);
    SDL_FreeSurface(destination_);
}

bool SdlReferenceBlend::blend(const int& alpha) {
    if (!isValid()) return false;
    SDL_SetSurfaceBlendMode(source_, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(source_, static_cast<uint8_t>(alpha));
    return SDL_BlitSurface(source_, nullptr, destination_, nullptr) == 0;
}

bool SdlReferenceBlend::copy() {
    if (!isValid()) return false;
    SDL_SetSurfaceBlendMode(source_, SDL_BLENDMODE_NONE);
    SDL_SetSurfaceAlphaMod(source_, 255);
    return SDL_BlitSurface(source_, nullptr, destination_, nullptr) == 0;
}

}  // namespace platform
