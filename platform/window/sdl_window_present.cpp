// The SDL window's presentation: only a picture that changed reaches the
// screen, and of it only the changed rows and columns where our own scaler
// writes into the window's pixels.
#include "platform/window/sdl_window.h"

#include <SDL.h>

#include <vector>

#include "platform/window/letterbox.h"
#include "platform/drawing/surface.h"

namespace platform {

namespace {

uint32_t textureFormat(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 16: return SDL_PIXELFORMAT_RGB565;
        case 24: return SDL_PIXELFORMAT_BGR24;
        default: return SDL_PIXELFORMAT_RGB888;
    }
}

OutputFormat outputFormatOf(const SDL_PixelFormat& f) {
    return OutputFormat{f.BytesPerPixel, f.Rshift, f.Gshift, f.Bshift, f.Rloss, f.Gloss, f.Bloss};
}

SDL_Rect sdlRect(const Rect& r) { return SDL_Rect{r.left, r.top, r.width(), r.height()}; }

}  // namespace

void SdlWindow::outputSize(int& width, int& height) const {
    width = width_;
    height = height_;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &width, &height);
}

bool SdlWindow::failedPresent() {
    // What reached the screen is unknown: the next present shows it all.
    shown_.forget();
    showAll_ = true;
    return false;
}

bool SdlWindow::present(const Surface& picture) {
    return present(picture, Rect{0, 0, picture.width(), picture.height()});
}

bool SdlWindow::present(const Surface& picture, const Rect& mayDiffer) {
    if (destroyed_) return true;
    if (!ready_) return false;
    return renderer_ != nullptr ? presentWithRenderer(picture, mayDiffer) : presentToWindowPixels(picture, mayDiffer);
}

bool SdlWindow::presentToWindowPixels(const Surface& picture, const Rect& mayDiffer) {
    SDL_Surface* output = SDL_GetWindowSurface(window_);
    if (output == nullptr) return false;
    if (output != output_ || output->w != outputWidth_ || output->h != outputHeight_ ||
        output->format->format != outputFormat_ || picture.bitsPerPixel() != scaledBits_) {
        output_ = output;
        outputWidth_ = output->w;
        outputHeight_ = output->h;
        outputFormat_ = output->format->format;
        scaledBits_ = picture.bitsPerPixel();
        scaler_.configure(picture.width(), picture.height(), scaledBits_,
                          letterboxRect(output->w, output->h, picture.width(), picture.height()),
                          outputFormatOf(*output->format));
        showAll_ = true;
    }
    if (showAll_) shown_.forget();
    const std::vector<Rect> changes =
        shown_.takeChanges(picture.pixels(), picture.width(), picture.height(), picture.bytesPerPixel(), picture.pitch(),
                           mayDiffer);
    if (changes.empty()) return true;
    const bool whole = showAll_;
    if (whole && SDL_FillRect(output, nullptr, SDL_MapRGB(output->format, 0, 0, 0)) != 0) return failedPresent();
    if (SDL_MUSTLOCK(output) && SDL_LockSurface(output) != 0) return failedPresent();
    std::vector<SDL_Rect> written;
    for (const Rect& change : changes) {
        const Rect scaled = scaler_.scale(picture.pixels(), picture.pitch(), change, static_cast<uint8_t*>(output->pixels),
                                          output->pitch);
        if (!scaled.empty()) written.push_back(sdlRect(scaled));
    }
    if (SDL_MUSTLOCK(output)) SDL_UnlockSurface(output);
    const int result = whole ? SDL_UpdateWindowSurface(window_)
                             : SDL_UpdateWindowSurfaceRects(window_, written.data(), static_cast<int>(written.size()));
    if (result != 0) return failedPresent();
    showAll_ = false;
    ++presentCount_;
    return true;
}

bool SdlWindow::presentWithRenderer(const Surface& picture, const Rect& mayDiffer) {
    const int bits = picture.bitsPerPixel();
    if (texture_ == nullptr || textureBits_ != bits) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, textureFormat(bits), SDL_TEXTUREACCESS_STREAMING, picture.width(),
                                     picture.height());
        textureBits_ = bits;
        if (texture_ == nullptr) return false;
        showAll_ = true;
    }
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) return false;
    if (width != outputWidth_ || height != outputHeight_) showAll_ = true;
    outputWidth_ = width;
    outputHeight_ = height;
    if (showAll_) shown_.forget();
    const std::vector<Rect> changes =
        shown_.takeChanges(picture.pixels(), picture.width(), picture.height(), picture.bytesPerPixel(), picture.pitch(),
                           mayDiffer);
    if (changes.empty()) return true;
    for (const Rect& change : changes) {
        const SDL_Rect area = sdlRect(change);
        const uint8_t* first = picture.pixels() + change.top * picture.pitch() + change.left * picture.bytesPerPixel();
        if (SDL_UpdateTexture(texture_, &area, first, picture.pitch()) != 0) return failedPresent();
    }
    // The renderer's buffer is not kept between presents: draw it all.
    const SDL_Rect target = sdlRect(letterboxRect(width, height, picture.width(), picture.height()));
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    if (SDL_RenderClear(renderer_) != 0 || SDL_RenderCopy(renderer_, texture_, nullptr, &target) != 0) {
        return failedPresent();
    }
    SDL_RenderPresent(renderer_);
    showAll_ = false;
    ++presentCount_;
    return true;
}

}  // namespace platform
