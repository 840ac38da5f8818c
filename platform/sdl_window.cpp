// The SDL window, its event pump and its presentation.
#include "platform/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/events.h"
#include "platform/bitmap_decoder.h"
#include "platform/surface.h"

namespace platform {

namespace {

// Show commands of the Windows entry that ask for a minimised window.
constexpr int SHOW_HIDE = 0;
constexpr int SHOW_MINIMIZED = 2;
constexpr int SHOW_MINIMIZE = 6;
constexpr int SHOW_MINIMIZED_NOT_ACTIVE = 7;

// Icons are small; anything larger than this is not an icon.
constexpr long maxIconFileBytes = 1 << 20;

// The Windows virtual-key code of an SDL key, or 0 for keys without one.
int virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_BACKSPACE: return KEY_BACKSPACE;
        case SDLK_TAB: return KEY_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KEY_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 0x11;
        case SDLK_LALT:
        case SDLK_RALT: return 0x12;
        case SDLK_PAUSE: return 0x13;
        case SDLK_CAPSLOCK: return 0x14;
        case SDLK_ESCAPE: return KEY_ESCAPE;
        case SDLK_SPACE: return KEY_SPACE;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return KEY_LEFT;
        case SDLK_UP: return KEY_UP;
        case SDLK_RIGHT: return KEY_RIGHT;
        case SDLK_DOWN: return KEY_DOWN;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return KEY_DELETE;
        case SDLK_KP_0: return 0x60;
        default: return 0;
    }
}

// Keys whose press the keyboard translation also turns into a character.
bool typesControlCharacter(int virtualKeyCode) {
    return virtualKeyCode == KEY_BACKSPACE || virtualKeyCode == KEY_TAB || virtualKeyCode == KEY_RETURN ||
           virtualKeyCode == KEY_ESCAPE;
}

uintptr_t keyStateBit(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return KEY_STATE_LEFT;
        case SDL_BUTTON_RIGHT: return KEY_STATE_RIGHT;
        case SDL_BUTTON_MIDDLE: return KEY_STATE_MIDDLE;
        default: return 0;
    }
}

uint32_t buttonMessage(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return MESSAGE_LEFT_BUTTON_DOWN;
        case SDL_BUTTON_RIGHT: return MESSAGE_RIGHT_BUTTON_DOWN;
        case SDL_BUTTON_MIDDLE: return MESSAGE_MIDDLE_BUTTON_DOWN;
        default: return 0;
    }
}

uint32_t textureFormat(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 16: return SDL_PIXELFORMAT_RGB565;
        case 24: return SDL_PIXELFORMAT_BGR24;
        default: return SDL_PIXELFORMAT_RGB888;
    }
}

// Decodes UTF-8 text into code points; malformed bytes are skipped.
std::vector<uint32_t> codePoints(const char* text) {
    std::vector<uint32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        int extra = 0;
        uint32_t cp = *p;
        if (cp >= 0xF0 && cp < 0xF8) {
            extra = 3;
            cp &= 0x07;
        } else if (cp >= 0xE0) {
            extra = 2;
            cp &= 0x0F;
        } else if (cp >= 0xC0) {
            extra = 1;
            cp &= 0x1F;
        } else if (cp >= 0x80) {
            ++p;
            continue;
        }
        ++p;
        bool whole = true;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                whole = false;
                break;
            }
            cp = (cp << 6) | (*p & 0x3F);
        }
        if (whole) out.push_back(cp);
    }
    return out;
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

void SdlWindow::pollEvents(MessageQueue& queue) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) translate(event, queue);
}

void SdlWindow::waitEvents(MessageQueue& queue, int timeoutMilliseconds) {
    SDL_Event event;
    const int got = timeoutMilliseconds < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMilliseconds);
    if (got == 0) return;
    translate(event, queue);
    pollEvents(queue);
}

void SdlWindow::post(MessageQueue& queue, uint32_t message, uintptr_t first, intptr_t second) {
    queue.post(Message{this, message, first, second});
}

intptr_t SdlWindow::picturePosition(int x, int y) const {
    // Positions over the letterbox bars are pulled onto the picture's edge.
    return packPosition(std::clamp(x, 0, width_ - 1), std::clamp(y, 0, height_ - 1));
}

void SdlWindow::postDestroyOnce(MessageQueue& queue) {
    // Closing the last window also makes SDL quit: one destroy is enough.
    if (!destroyPosted_) post(queue, MESSAGE_DESTROY, 0, 0);
    destroyPosted_ = true;
}

void SdlWindow::translateWindowEvent(uint8_t windowEvent, MessageQueue& queue) {
    const intptr_t size = packPosition(width_, height_);
    switch (windowEvent) {
        case SDL_WINDOWEVENT_CLOSE: postDestroyOnce(queue); break;
        case SDL_WINDOWEVENT_MINIMIZED: post(queue, MESSAGE_SIZE, SIZE_MINIMIZED, 0); break;
        case SDL_WINDOWEVENT_RESTORED: post(queue, MESSAGE_SIZE, SIZE_RESTORED, size); break;
        case SDL_WINDOWEVENT_MAXIMIZED: post(queue, MESSAGE_SIZE, SIZE_MAXIMIZED, size); break;
        default: break;
    }
}

void SdlWindow::translate(const SDL_Event& event, MessageQueue& queue) {
    switch (event.type) {
        case SDL_QUIT: postDestroyOnce(queue); break;
        case SDL_WINDOWEVENT: translateWindowEvent(event.window.event, queue); break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int code = virtualKey(event.key.keysym.sym);
            if (code == 0) break;
            const bool down = event.type == SDL_KEYDOWN;
            post(queue, down ? MESSAGE_KEY_DOWN : MESSAGE_KEY_UP, static_cast<uintptr_t>(code), 0);
            // These keys type no text, but the platform's keyboard translation
            // also makes a character of them.
            if (down && typesControlCharacter(code)) post(queue, MESSAGE_CHAR, static_cast<uintptr_t>(code), 0);
            break;
        }
        case SDL_TEXTINPUT:
            for (uint32_t cp : codePoints(event.text.text)) {
                if (cp >= 0x20 && cp <= 0xFF) post(queue, MESSAGE_CHAR, cp, 0);
            }
            break;
        case SDL_MOUSEMOTION:
            post(queue, MESSAGE_MOUSE_MOVE, heldButtons_, picturePosition(event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN: {
            const uint32_t message = buttonMessage(event.button.button);
            if (message == 0) break;
            heldButtons_ |= keyStateBit(event.button.button);
            post(queue, message, heldButtons_, picturePosition(event.button.x, event.button.y));
            break;
        }
        case SDL_MOUSEBUTTONUP: heldButtons_ &= ~keyStateBit(event.button.button); break;
        default: break;
    }
}

}  // namespace platform
