// The SDL window: creation, showing, sizing, and whether a renderer or our own scaler presents.
#include "platform/window/sdl_window.h"

#include <SDL.h>

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/files/bitmap_loader.h"
#include "platform/reports/diagnostics.h"
#include "platform/reports/file_report.h"
#include "platform/drawing/surface.h"
#include "platform/window/x_errors.h"

namespace platform {

namespace {

// Show commands of the Windows entry that ask for a minimised window.
constexpr int SHOW_HIDE = 0;
constexpr int SHOW_MINIMIZED = 2;
constexpr int SHOW_MINIMIZE = 6;
constexpr int SHOW_MINIMIZED_NOT_ACTIVE = 7;

// The window's class, the name of the program and of its desktop entry's
// window class.
const char* const windowClass = "quadrimo";

bool suitsWindow(int width, int height) {
    return width >= minimumWindowWidth && height >= minimumWindowHeight && width <= maximumWindowSide &&
           height <= maximumWindowSide;
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
    : fullScreen_(options.fullScreen), width_(options.width), height_(options.height), windowedWidth_(options.width),
      windowedHeight_(options.height), beenWindowed_(!options.fullScreen) {
    // Docks and task bars group the window with the desktop entry by this
    // class, whatever the program file is called.
    setenv("SDL_VIDEO_X11_WMCLASS", windowClass, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", windowClass, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        recordSdlFailure("SDL could not start its video");
        return;
    }
    videoStarted_ = true;
    gamepads_.start();
    if (!onRealDisplay()) {
        const char* driver = SDL_GetCurrentVideoDriver();
        recordFailure(std::string("no X11 or Wayland display was found (SDL fell back to its \"") +
                      (driver != nullptr ? driver : "") + "\" video driver, which shows nothing)");
        return;
    }
    if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) surviveXErrors();
    // Switching away from the full-screen game minimises it, which pauses it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    chooseWindowedSize(options);
    // Without a renderer the window's own pixels are written, not a texture
    // of a (software) OpenGL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Resizable in full screen too, so that it stays so when switched.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    SDL_Rect frame{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, windowedWidth_, windowedHeight_};
    onX11_ = std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0;
    if (fullScreen_) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // Made as large as the screen from the start, so that it covers the
        // screen even where no window manager applies the full-screen state.
        SDL_Rect screen;
        if (onX11_ && SDL_GetDisplayBounds(0, &screen) == 0 && screen.w > 0 && screen.h > 0) frame = screen;
    }
    window_ = SDL_CreateWindow(options.title != nullptr ? options.title : "", frame.x, frame.y, frame.w, frame.h,
                               flags);
    if (window_ == nullptr) {
        recordSdlFailure("SDL could not make the window");
        return;
    }
    SDL_SetWindowMinimumSize(window_, minimumWindowWidth, minimumWindowHeight);
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
    if (renderer_ == nullptr && !reachWindowPixels()) return;
    SDL_StartTextInput();
    ready_ = true;
}

bool SdlWindow::reachWindowPixels() {
    // Without a renderer, the window's pixels must be there to scale into.
    SDL_ClearError();
    if (SDL_GetWindowSurface(window_) != nullptr) return true;
    // Some video drivers (Wayland's, in SDL 2) keep no pixels of their own
    // for a window; a renderer, even one that draws on the processor, still
    // shows the picture there.
    const char* error = SDL_GetError();
    const std::string pixels = *error != '\0' ? std::string("its pixels could not be had: ") + error
                                              : std::string("the \"") + SDL_GetCurrentVideoDriver() +
                                                    "\" video driver keeps no pixels for it";
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ != nullptr) return true;
    recordSdlFailure("SDL could not draw into the window: " + pixels + ", and no renderer could be made");
    return false;
}

SdlWindow::~SdlWindow() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlWindow::setIcon(const char* file) {
    DecodedBitmap icon;
    if (!loadIconFile(file, icon)) {
        reportUnusableFile("icon", file);
        return;
    }
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
    // The window manager places it and may size it.
    awaitAnswer();
    if (showCommand == SHOW_MINIMIZED || showCommand == SHOW_MINIMIZE || showCommand == SHOW_MINIMIZED_NOT_ACTIVE) {
        SDL_MinimizeWindow(window_);
    }
}

void SdlWindow::resizeClient(int width, int height) {
    // SDL sizes the client area itself, whatever the borders of the theme.
    if (window_ == nullptr || fullScreen_) return;
    askSize(width, height);
    noteWindowedSize(width, height);
}

void SdlWindow::askSize(int width, int height) {
    SDL_SetWindowSize(window_, width, height);
    awaitAnswer();
}

void SdlWindow::awaitAnswer() {
    // A size the window manager answers with instead (a tiling one's tile)
    // is its own, not one the player gave the window.
    constexpr Uint32 answerTime = 500;
    answersUntil_ = SDL_GetTicks() + answerTime;
}

void SdlWindow::chooseWindowedSize(const WindowOptions& options) {
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = SDL_Rect{0, 0, 0, 0};
    // A size remembered on a larger desktop is not kept on a smaller one.
    if (suitsWindow(options.windowWidth, options.windowHeight) &&
        fitsDesktop(usable.w, usable.h, options.windowWidth, options.windowHeight)) {
        windowedWidth_ = options.windowWidth;
        windowedHeight_ = options.windowHeight;
        return;
    }
    windowedWidth_ = width_;
    windowedHeight_ = height_;
    fitWindowSize(usable.w, usable.h, windowedWidth_, windowedHeight_);
}

void SdlWindow::noteWindowedSize(int width, int height) {
    if (!suitsWindow(width, height)) return;
    windowedWidth_ = width;
    windowedHeight_ = height;
}

bool SdlWindow::windowedSize(int& width, int& height) const {
    width = windowedWidth_;
    height = windowedHeight_;
    return beenWindowed_;
}

bool SdlWindow::setFullScreen(bool fullScreen) {
    if (window_ == nullptr || destroyed_) return false;
    if (fullScreen == fullScreen_) return true;
    if (fullScreen) {
        // The window's size is known from its size changes: the one it has
        // now may be a tiling window manager's.
        maximisedBeforeFullScreen_ = (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
        coverScreen();
        if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
            leaveFullScreen();
            return false;
        }
    } else {
        if (SDL_SetWindowFullscreen(window_, 0) != 0) return false;
        leaveFullScreen();
        beenWindowed_ = true;
    }
    fullScreen_ = fullScreen;
    return true;
}

void SdlWindow::returnToFullScreen() {
    // SDL still counts the window as full screen: only a change of its
    // state reaches the window manager again.
    SDL_SetWindowFullscreen(window_, 0);
    coverScreen();
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SdlWindow::coverScreen() {
    // Done by hand as well, for desktops without a window manager to apply
    // the full-screen state. Elsewhere a window sized to the screen would be
    // the size it returns to from full screen.
    if (!onX11_) return;
    SDL_Rect screen;
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &screen) != 0) return;
    SDL_SetWindowPosition(window_, screen.x, screen.y);
    SDL_SetWindowSize(window_, screen.w, screen.h);
}

void SdlWindow::leaveFullScreen() {
    if (maximisedBeforeFullScreen_) {
        SDL_MaximizeWindow(window_);
        return;
    }
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
    askSize(windowedWidth_, windowedHeight_);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display), SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

void SdlWindow::destroy() {
    if (window_ != nullptr) SDL_HideWindow(window_);
    destroyed_ = true;
}

int SdlWindow::refreshRate() const {
    SDL_DisplayMode mode;
    const int display = window_ != nullptr ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
    return SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

int SdlWindow::desktopBitsPerPixel() const {
    SDL_DisplayMode mode;
    const int display = window_ != nullptr ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0) {
        recordSdlFailure("SDL could not tell the desktop's colour depth");
        return 0;
    }
    // 15-bit desktops store 16-bit pixels, as the platform reports them.
    return SDL_BYTESPERPIXEL(mode.format) >= 2 ? SDL_BYTESPERPIXEL(mode.format) * 8 : SDL_BITSPERPIXEL(mode.format);
}

}  // namespace platform
