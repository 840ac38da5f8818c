// The SDL window: creation, showing, sizing, and whether a renderer or our own scaler presents.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/bitmap_decoder.h"

namespace platform {

namespace {

// Show commands of the Windows entry that ask for a minimised window.
constexpr int SHOW_HIDE = 0;
constexpr int SHOW_MINIMIZED = 2;
constexpr int SHOW_MINIMIZE = 6;
constexpr int SHOW_MINIMIZED_NOT_ACTIVE = 7;

// Icons are small; anything larger than this is not an icon.
constexpr long maxIconFileBytes = 1 << 20;

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

// Whether it is plain without asking OpenGL that the picture would be drawn
// on the processor: no graphics card to render with, or the environment
// asks for software. Loading a software OpenGL only to put it away again
// costs tens of megabytes and a good part of the start-up.
bool softwareIsEvident() {
    const char* forced = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (forced != nullptr && *forced != '\0' && std::strcmp(forced, "0") != 0) return true;
    const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (driver != nullptr && std::strcmp(driver, "software") == 0) return true;
    DIR* devices = opendir("/dev/dri");
    if (devices == nullptr) return true;
    bool renderNode = false;
    while (const dirent* entry = readdir(devices)) {
        if (std::strncmp(entry->d_name, "renderD", 7) == 0) renderNode = true;
    }
    closedir(devices);
    return !renderNode;
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
    // Switching away from the full-screen game minimises it, which pauses it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // Without a renderer the window's own pixels are written, not a texture
    // of a (software) OpenGL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
    // A graphics card scales the picture for nothing; on the processor our own
    // scaler, which touches only what changed, does it far cheaper.
    if (!softwareIsEvident()) {
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
        if (renderer_ != nullptr && drawsWithSoftwareOpenGl(renderer_)) {
            SDL_DestroyRenderer(renderer_);
            renderer_ = nullptr;
        }
    }
    // Without a renderer, the window's pixels must be there to scale into.
    if (renderer_ == nullptr && SDL_GetWindowSurface(window_) == nullptr) return;
    SDL_StartTextInput();
    ready_ = true;
}

SdlWindow::~SdlWindow() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::setIcon(const char* file) {
    std::FILE* in = std::fopen(file, "rb");
    if (in == nullptr) return;
    std::vector<uint8_t> bytes;
    if (std::fseek(in, 0, SEEK_END) == 0) {
        const long size = std::ftell(in);
        if (size > 0 && size <= maxIconFileBytes && std::fseek(in, 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<size_t>(size));
            if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) bytes.clear();
        }
    }
    std::fclose(in);
    DecodedBitmap icon;
    if (bytes.empty() || !decodeBitmap(bytes.data(), bytes.size(), icon)) return;
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

int SdlWindow::desktopBitsPerPixel() const {
    SDL_DisplayMode mode;
    const int display = window_ != nullptr ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) return 0;
    // 15-bit desktops store 16-bit pixels, as the platform reports them.
    return SDL_BYTESPERPIXEL(mode.format) >= 2 ? SDL_BYTESPERPIXEL(mode.format) * 8 : SDL_BITSPERPIXEL(mode.format);
}

}  // namespace platform
