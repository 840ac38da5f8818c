// The SDL window: creation, showing, sizing and presentation.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/bitmap_loader.h"
#include "platform/surface.h"
#include "platform/x_errors.h"

namespace platform {

namespace {

// Show commands of the Windows entry that ask for a minimised window.
constexpr int SHOW_HIDE = 0;
constexpr int SHOW_MINIMIZED = 2;
constexpr int SHOW_MINIMIZE = 6;
constexpr int SHOW_MINIMIZED_NOT_ACTIVE = 7;

uint32_t textureFormat(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 16: return SDL_PIXELFORMAT_RGB565;
        case 24: return SDL_PIXELFORMAT_BGR24;
        default: return SDL_PIXELFORMAT_RGB888;
    }
}

// Whether the renderer draws through an OpenGL that runs on the processor:
// copying the picture through such a driver costs a good part of a core,
// many times what SDL's own software renderer needs.
bool drawsWithSoftwareOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int glRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) return false;
    const auto* name = reinterpret_cast<const char*>(getString(glRenderer));
    if (name == nullptr) return false;
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
        if (std::strstr(name, software) != nullptr) return true;
    }
    return false;
}

// SDL falls back to drivers that show nothing when there is no display; the
// game must not then run unseen. They serve only when asked for by name.
bool onRealDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) return false;
    if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) return true;
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked != nullptr && std::strstr(asked, driver) != nullptr;
}

}  // namespace

SdlWindow::SdlWindow(const WindowOptions& options)
    : fullScreen_(options.fullScreen), width_(options.width), height_(options.height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    videoStarted_ = true;
    if (!onRealDisplay()) return;
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) surviveXErrors();
    // Switching away from the full-screen game minimises it, which pauses it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    Uint32 flags = SDL_WINDOW_HIDDEN;
    SDL_Rect frame{SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width_, height_};
    if (fullScreen_) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // Made as large as the screen from the start, so that it covers the
        // screen even where no window manager applies the full-screen state.
        SDL_Rect screen;
        if (SDL_GetDisplayBounds(0, &screen) == 0 && screen.w > 0 && screen.h > 0) frame = screen;
    }
    window_ = SDL_CreateWindow(options.title != nullptr ? options.title : "", frame.x, frame.y, frame.w, frame.h,
                               flags);
    if (window_ == nullptr) return;
    if (options.iconFile != nullptr) setIcon(options.iconFile);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ != nullptr && drawsWithSoftwareOpenGl(renderer_)) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    if (renderer_ == nullptr) {
        // The window's own pixels, not a texture of a (software) OpenGL.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer_ == nullptr) return;
    // The picture keeps its size and shape; the renderer scales it to fit,
    // letterboxes it, and maps mouse positions back into it.
    SDL_RenderSetLogicalSize(renderer_, width_, height_);
    SDL_StartTextInput();
}

SdlWindow::~SdlWindow() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::setIcon(const char* file) {
    DecodedBitmap icon;
    if (!loadIconFile(file, icon)) return;
    for (uint32_t& pixel : icon.pixels) pixel |= 0xFF000000u;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels.data(), icon.width, icon.height, 32,
                                                              icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlWindow::show(int showCommand) {
    if (window_ == nullptr || showCommand == SHOW_HIDE) return;
    SDL_ShowWindow(window_);
    if (showCommand == SHOW_MINIMIZED || showCommand == SHOW_MINIMIZE || showCommand == SHOW_MINIMIZED_NOT_ACTIVE) {
        SDL_MinimizeWindow(window_);
    }
}

void SdlWindow::resizeClient(int width, int height) {
    // SDL sizes the client area itself, whatever the borders of the theme.
    if (window_ != nullptr && !fullScreen_) SDL_SetWindowSize(window_, width, height);
}

void SdlWindow::destroy() {
    if (window_ != nullptr) SDL_HideWindow(window_);
    destroyed_ = true;
}

bool SdlWindow::present(const Surface& picture) {
    if (destroyed_) return true;
    if (renderer_ == nullptr) return false;
    const int bits = picture.bitsPerPixel();
    if (texture_ == nullptr || textureBits_ != bits) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, textureFormat(bits), SDL_TEXTUREACCESS_STREAMING, picture.width(),
                                     picture.height());
        textureBits_ = bits;
        if (texture_ == nullptr) return false;
    }
    if (SDL_UpdateTexture(texture_, nullptr, picture.pixels(), picture.pitch()) != 0) return false;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    if (SDL_RenderClear(renderer_) != 0) return false;
    if (SDL_RenderCopy(renderer_, texture_, nullptr, nullptr) != 0) return false;
    SDL_RenderPresent(renderer_);
    return true;
}

int SdlWindow::desktopBitsPerPixel() const {
    SDL_DisplayMode mode;
    const int display = window_ != nullptr ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) return 0;
    // 15-bit desktops store 16-bit pixels, as the platform reports them.
    return SDL_BYTESPERPIXEL(mode.format) >= 2 ? SDL_BYTESPERPIXEL(mode.format) * 8 : SDL_BITSPERPIXEL(mode.format);
}

}  // namespace platform
