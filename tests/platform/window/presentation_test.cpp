// Presenting the picture: the letterbox geometry, the scaler against a plain
// reference, and the window showing only pictures that changed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/window/letterbox.h"
#include "platform/window/picture_scaler.h"
#include "platform/window/sdl_window.h"
#include "platform/drawing/surface.h"

namespace {

using platform::OutputFormat;
using platform::Rect;

constexpr int pictureWidth = 800;
constexpr int pictureHeight = 600;

bool contains(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// A 5-6-5 pixel as 0xRRGGBB, each channel widened by repeating its top bits as SDL does.
uint32_t widen565(uint32_t v) {
    const uint32_t r = v >> 11, g = (v >> 5) & 63, b = v & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

// SDL's own logical-size mapping, which placed the picture and mapped clicks
// before: the same window through a software renderer with a logical size.
class SdlLogicalSize {
public:
    SdlLogicalSize(int width, int height) : width_(width), height_(height) {
        window_ = SDL_CreateWindow("reference", 0, 0, width, height, SDL_WINDOW_HIDDEN);
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    ~SdlLogicalSize() {
        SDL_DestroyRenderer(renderer_);
        SDL_DestroyWindow(window_);
    }
    // The output rectangle a white picture covers.
    Rect paintedRect() {
        SDL_RenderSetLogicalSize(renderer_, pictureWidth, pictureHeight);
        SDL_RenderClear(renderer_);
        SDL_SetRenderDrawColor(renderer_, 255, 255, 255, 255);
        const SDL_Rect all{0, 0, pictureWidth, pictureHeight};
        SDL_RenderFillRect(renderer_, &all);
        std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
        SDL_RenderSetLogicalSize(renderer_, 0, 0);
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width_ * 4);
        SDL_RenderSetLogicalSize(renderer_, pictureWidth, pictureHeight);
        Rect r{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if ((pixels[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF) != 0)
                    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
        return r;
    }
    // Where SDL puts a click at (x, y), kept on the picture as the pump does.
    platform::PicturePoint mapped(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.windowID = SDL_GetWindowID(window_);
        e.button.x = x, e.button.y = y;
        SDL_PushEvent(&e);
        EXPECT_EQ(SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN), 1);
        return {std::clamp(e.button.x, 0, pictureWidth - 1), std::clamp(e.button.y, 0, pictureHeight - 1)};
    }
    // The letterbox's answer for the same click.
    platform::PicturePoint ours(int x, int y) const {
        return platform::pictureFromOutput(x, y, width_, height_, pictureWidth, pictureHeight);
    }

private:
    int width_, height_;
    SDL_Window* window_;
    SDL_Renderer* renderer_;
};

}  // namespace

TEST(Letterbox, PlacesThePictureAndMapsEveryClickAsTheRendererDid) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    EXPECT_EQ(platform::letterboxRect(0, 0, 800, 600), (Rect{}));
    const int sizes[][2] = {{800, 600},  {1920, 1080}, {2560, 1440}, {1280, 1024}, {1024, 768},
                            {1366, 768}, {1001, 577},  {643, 481},   {333, 999},   {401, 299}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        SdlLogicalSize sdl(width, height);
        EXPECT_EQ(platform::letterboxRect(width, height, pictureWidth, pictureHeight), sdl.paintedRect());
        // Every column along one row and every row along one column, bars included.
        for (int x = -2; x < width + 2; ++x) ASSERT_EQ(sdl.ours(x, height / 3), sdl.mapped(x, height / 3)) << x;
        for (int y = -2; y < height + 2; ++y) ASSERT_EQ(sdl.ours(width / 2, y), sdl.mapped(width / 2, y)) << y;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

namespace {

// A plain per-pixel scaler: every output pixel's share of the next picture
// pixel worked out from its area on its own, mixed per channel.
class ReferenceScaler {
public:
    ReferenceScaler(const std::vector<uint8_t>& picture, int bits) : picture_(picture), bytes_(bits / 8) {}

    uint32_t colour(int x, int y) const {
        const uint8_t* p = &picture_[(static_cast<size_t>(y) * pictureWidth + x) * bytes_];
        return bytes_ == 2 ? widen565(p[0] | p[1] << 8) : static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
    }
    // The first picture pixel and the share (of 256) of the next one.
    static void sample(int o, int picture, int output, int& first, int& share) {
        share = 0;
        if (output < picture) {
            first = static_cast<int>(std::floor((o + 0.5) * picture / output));
            return;
        }
        first = o * picture / output;
        const double end = static_cast<double>(o + 1) * picture / output;
        if (end > first + 1 && first + 1 < picture) share = static_cast<int>(std::lround((end - first - 1) * output / picture * 256));
    }
    static uint32_t mix(uint32_t a, uint32_t b, int share) {
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t ca = (a >> shift) & 255, cb = (b >> shift) & 255;
            out |= ((ca * (256 - share) + cb * share + 128) >> 8) << shift;
        }
        return out;
    }
    // Output pixel (ox, oy) inside the target, packed in format f.
    uint32_t scaled(int ox, int oy, const Rect& target, const OutputFormat& f) const {
        int x = 0, xShare = 0, y = 0, yShare = 0;
        sample(ox - target.left, pictureWidth, target.width(), x, xShare);
        sample(oy - target.top, pictureHeight, target.height(), y, yShare);
        const auto row = [&](int py) { return xShare == 0 ? colour(x, py) : mix(colour(x, py), colour(x + 1, py), xShare); };
        const uint32_t c = yShare == 0 ? row(y) : mix(row(y), row(y + 1), yShare);
        return ((c >> 16 & 255) >> f.redLoss << f.redShift) | ((c >> 8 & 255) >> f.greenLoss << f.greenShift) |
               ((c & 255) >> f.blueLoss << f.blueShift);
    }

private:
    const std::vector<uint8_t>& picture_;
    int bytes_;
};

}  // namespace

TEST(PictureScaler, MatchesTheReferenceAtEverySizeAndFormatAndRedrawsAllAChangeReaches) {
    const OutputFormat xrgb{}, rgb565{2, 11, 5, 0, 3, 2, 3}, rgb555{2, 10, 5, 0, 3, 3, 3}, bgr24{3, 16, 8, 0, 0, 0, 0},
        xbgr{4, 0, 8, 16, 0, 0, 0};
    const struct {
        int width, height, pictureBits;
        OutputFormat format;
    } cases[] = {{800, 600, 16, rgb565},   {800, 600, 24, bgr24}, {800, 600, 32, xrgb},  {1920, 1080, 16, xrgb},
                 {1280, 1024, 16, rgb565}, {1001, 577, 16, bgr24}, {643, 481, 32, xbgr},
                 {1366, 768, 24, rgb555},  {333, 999, 16, xrgb},  {401, 299, 16, rgb565}};
    uint32_t seed = 12345;
    const auto next = [&seed] { return (seed = seed * 214013u + 2531011u) >> 16 & 0x7FFF; };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ", " << c.pictureBits << " bits to "
                                        << c.format.bytesPerPixel << " bytes");
        const int bytes = c.pictureBits / 8, pitch = pictureWidth * bytes;
        std::vector<uint8_t> picture(static_cast<size_t>(pitch) * pictureHeight);
        // Flat runs with seams, as the game's pictures have, and noise.
        for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i / bytes % 7 < 3 ? next() : i / pitch);
        const Rect target = platform::letterboxRect(c.width, c.height, pictureWidth, pictureHeight);
        const int outputBytes = c.format.bytesPerPixel, outputPitch = c.width * outputBytes + 4;
        std::vector<uint8_t> output(static_cast<size_t>(outputPitch) * c.height, 0xAB);
        const auto pixel = [&](const std::vector<uint8_t>& o, int x, int y) {
            uint32_t v = 0;
            for (int b = 0; b < outputBytes; ++b)
                v |= uint32_t{o[static_cast<size_t>(y) * outputPitch + x * outputBytes + b]} << 8 * b;
            return v;
        };
        const uint32_t untouched = 0xABABABABu >> (32 - 8 * outputBytes);
        platform::PictureScaler scaler;
        scaler.configure(pictureWidth, pictureHeight, c.pictureBits, target, c.format);
        EXPECT_EQ(scaler.scale(picture.data(), pitch, Rect{-5, -5, 900, 900}, output.data(), outputPitch), target);
        const auto expectMatches = [&](const char* when) {
            const ReferenceScaler reference(picture, c.pictureBits);
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    ASSERT_EQ(pixel(output, x, y),
                              contains(target, x, y) ? reference.scaled(x, y, target, c.format) : untouched)
                        << when << " at " << x << ", " << y;
        };
        expectMatches("whole");
        // Changed parts, one at an edge, one a single pixel, one a run of rows.
        for (const Rect& change : {Rect{0, 0, 37, 5}, Rect{799, 599, 800, 600}, Rect{123, 201, 457, 389}}) {
            for (int y = change.top; y < change.bottom; ++y)
                for (int x = change.left * bytes; x < change.right * bytes; ++x) picture[static_cast<size_t>(y) * pitch + x] ^= 0x5A;
            const std::vector<uint8_t> before = output;
            const Rect written = scaler.scale(picture.data(), pitch, change, output.data(), outputPitch);
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    ASSERT_TRUE(pixel(output, x, y) == pixel(before, x, y) || contains(written, x, y))
                        << "written outside the rectangle returned at " << x << ", " << y;
            expectMatches("after a change");
        }
    }
}

// The game's window on SDL's dummy display, whose pixels can be read back.
TEST(Presenting, OnlyChangedPicturesAreShownOnlyTheirChangedPartsWrittenAndANewSizeIsLetterboxed) {
    platform::WindowOptions options;
    options.fullScreen = false;
    platform::SdlWindow window(options);
    ASSERT_TRUE(window.initialized());
    ASSERT_FALSE(window.usesRenderer());
    SDL_Window* native = static_cast<SDL_Window*>(window.nativeHandle());
    const auto shown = [native](int x, int y) {
        const SDL_Surface* s = SDL_GetWindowSurface(native);
        return static_cast<const uint32_t*>(s->pixels)[y * s->pitch / 4 + x] & 0xFFFFFF;
    };
    platform::Surface picture(pictureWidth, pictureHeight, 16);
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) picture.setPixelAt(x, y, static_cast<uint32_t>(x * 7 + y * 13) & 0xFFFF);
    const auto present = [&](int expectedCount, const char* what) {
        ASSERT_TRUE(window.present(picture));
        EXPECT_EQ(window.presentCount(), expectedCount) << what;
    };
    present(1, "the first picture");
    EXPECT_EQ(shown(123, 456), widen565(picture.pixelAt(123, 456)));
    present(1, "the same picture again");
    // A mark on the screen far from the change stays: only the change is written.
    static_cast<uint32_t*>(SDL_GetWindowSurface(native)->pixels)[0] = 0x123456;
    picture.setPixelAt(400, 300, 0xF800);
    present(2, "one changed pixel");
    EXPECT_EQ(shown(400, 300), 0xFF0000u);
    EXPECT_EQ(shown(0, 0), 0x123456u);
    present(2, "unchanged after the change");
    // Told where the picture may differ, the window looks nowhere else.
    picture.setPixelAt(10, 10, 0x001F);
    picture.setPixelAt(10, 20, 0x07E0);
    ASSERT_TRUE(window.present(picture, platform::Rect{0, 15, 800, 25}));
    EXPECT_EQ(std::make_pair(shown(10, 10), shown(10, 20)), std::make_pair(widen565(7 * 10 + 13 * 10), 0x00FF00u));
    window.invalidate();
    present(4, "after a restore");
    EXPECT_EQ(shown(0, 0), widen565(picture.pixelAt(0, 0)));
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    platform::MessageQueue queue;
    window.translate(exposed, queue);
    present(5, "after an expose");

    SDL_SetWindowSize(native, 1920, 1080);
    present(6, "the same picture in a larger window");
    ASSERT_EQ(SDL_GetWindowSurface(native)->w, 1920);
    EXPECT_EQ(shown(100, 500), 0u) << "bar";
    EXPECT_EQ(shown(1900, 10), 0u) << "bar";
    // Output pixel 240 + 1.8 * 500 lies wholly inside picture pixel 500.
    EXPECT_EQ(shown(1140, 0), widen565(picture.pixelAt(500, 0)));
    present(6, "unchanged in the larger window");
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}
