// Presenting the picture: the letterbox geometry, the scaler against a plain
// reference, and the window showing only pictures that changed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "app/events.h"
#include "platform/letterbox.h"
#include "platform/picture_scaler.h"
#include "platform/sdl_window.h"
#include "platform/surface.h"

namespace {

using platform::OutputFormat;
using platform::Rect;

constexpr int pictureWidth = 800;
constexpr int pictureHeight = 600;

struct OutputSize {
    int width;
    int height;
};

const OutputSize outputSizes[] = {{800, 600},  {1920, 1080}, {2560, 1440}, {1280, 1024}, {1024, 768},
                                  {1366, 768}, {1001, 577},  {643, 481},   {333, 999},   {401, 299}};

// SDL's own logical-size mapping, which placed the picture and mapped clicks
// before: the same window through a software renderer with a logical size.
class SdlLogicalSize {
public:
    SdlLogicalSize(int width, int height) {
        window = SDL_CreateWindow("reference", 0, 0, width, height, SDL_WINDOW_HIDDEN);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        SDL_RenderSetLogicalSize(renderer, pictureWidth, pictureHeight);
    }
    ~SdlLogicalSize() {
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
    }
    // The output rectangle a white picture covers.
    Rect paintedRect(int width, int height) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
        SDL_Rect all{0, 0, pictureWidth, pictureHeight};
        SDL_RenderFillRect(renderer, &all);
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        SDL_RenderSetLogicalSize(renderer, 0, 0);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4);
        SDL_RenderSetLogicalSize(renderer, pictureWidth, pictureHeight);
        Rect r{width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != 0) {
                    r.left = std::min(r.left, x), r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1), r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    }
    // Where SDL puts a click at (x, y), kept on the picture as the pump does.
    platform::PicturePoint mapped(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.windowID = SDL_GetWindowID(window);
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = x, e.button.y = y;
        SDL_PushEvent(&e);
        SDL_Event got{};
        EXPECT_EQ(SDL_PeepEvents(&got, 1, SDL_GETEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN), 1);
        return {std::clamp(got.button.x, 0, pictureWidth - 1), std::clamp(got.button.y, 0, pictureHeight - 1)};
    }

private:
    SDL_Window* window;
    SDL_Renderer* renderer;
};

}  // namespace

TEST(Letterbox, PlacesThePictureAndMapsEveryClickAsTheRendererDid) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    EXPECT_EQ(platform::letterboxRect(1920, 1080, 800, 600), (Rect{240, 0, 1680, 1080}));
    EXPECT_EQ(platform::letterboxRect(1280, 1024, 800, 600), (Rect{0, 32, 1280, 992}));
    EXPECT_EQ(platform::letterboxRect(800, 600, 800, 600), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(platform::letterboxRect(0, 0, 800, 600), (Rect{}));
    for (const OutputSize& size : outputSizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        SdlLogicalSize sdl(size.width, size.height);
        EXPECT_EQ(platform::letterboxRect(size.width, size.height, pictureWidth, pictureHeight),
                  sdl.paintedRect(size.width, size.height));
        // Every column along one row and every row along one column, bars included.
        for (int x = -2; x < size.width + 2; ++x)
            ASSERT_EQ(platform::pictureFromOutput(x, size.height / 3, size.width, size.height, pictureWidth,
                                                  pictureHeight),
                      sdl.mapped(x, size.height / 3)) << "x " << x;
        for (int y = -2; y < size.height + 2; ++y)
            ASSERT_EQ(platform::pictureFromOutput(size.width / 2, y, size.width, size.height, pictureWidth,
                                                  pictureHeight),
                      sdl.mapped(size.width / 2, y)) << "y " << y;
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
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
        if (bytes_ != 2) return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
        // Channels widened by repeating their top bits, as SDL widens them.
        const int v = p[0] | p[1] << 8, r = v >> 11, g = (v >> 5) & 63, b = v & 31;
        return static_cast<uint32_t>((r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2));
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
    uint32_t scaled(int ox, int oy, const Rect& target) const {
        int x = 0, xShare = 0, y = 0, yShare = 0;
        sample(ox, pictureWidth, target.width(), x, xShare);
        sample(oy, pictureHeight, target.height(), y, yShare);
        const auto row = [&](int py) { return xShare == 0 ? colour(x, py) : mix(colour(x, py), colour(x + 1, py), xShare); };
        return yShare == 0 ? row(y) : mix(row(y), row(y + 1), yShare);
    }
    static uint32_t pack(uint32_t c, const OutputFormat& f) {
        return ((c >> 16 & 255) >> f.redLoss << f.redShift) | ((c >> 8 & 255) >> f.greenLoss << f.greenShift) |
               ((c & 255) >> f.blueLoss << f.blueShift);
    }

private:
    const std::vector<uint8_t>& picture_;
    int bytes_;
};

uint32_t outputPixel(const std::vector<uint8_t>& output, int pitch, int x, int y, int bytes) {
    uint32_t v = 0;
    for (int b = 0; b < bytes; ++b) v |= static_cast<uint32_t>(output[static_cast<size_t>(y) * pitch + x * bytes + b]) << (8 * b);
    return v;
}

struct ScalerCase {
    OutputSize size;
    int pictureBits;
    OutputFormat format;
};

}  // namespace

TEST(PictureScaler, MatchesTheReferenceAtEverySizeAndFormatAndRedrawsAllAChangeReaches) {
    const OutputFormat xrgb{}, rgb565{2, 11, 5, 0, 3, 2, 3}, rgb555{2, 10, 5, 0, 3, 3, 3}, bgr24{3, 16, 8, 0, 0, 0, 0},
        xbgr{4, 0, 8, 16, 0, 0, 0};
    const ScalerCase cases[] = {{{800, 600}, 16, rgb565},   {{800, 600}, 32, xrgb},     {{1920, 1080}, 16, xrgb},
                                {{1280, 1024}, 16, rgb565}, {{1001, 577}, 16, bgr24},   {{643, 481}, 32, xbgr},
                                {{1366, 768}, 24, rgb555},  {{333, 999}, 16, xrgb},     {{401, 299}, 16, rgb565}};
    uint32_t seed = 12345;
    const auto next = [&seed] { return (seed = seed * 214013u + 2531011u) >> 16 & 0x7FFF; };
    for (const ScalerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.width << " x " << c.size.height << ", " << c.pictureBits
                                        << " bits to " << c.format.bytesPerPixel << " bytes");
        const int bytes = c.pictureBits / 8, pitch = pictureWidth * bytes;
        std::vector<uint8_t> picture(static_cast<size_t>(pitch) * pictureHeight);
        // Flat runs with seams, as the game's pictures have, and noise.
        for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i / bytes % 7 < 3 ? next() : i / pitch);
        const Rect target = platform::letterboxRect(c.size.width, c.size.height, pictureWidth, pictureHeight);
        const int outputBytes = c.format.bytesPerPixel;
        const int outputPitch = c.size.width * outputBytes + 4;
        std::vector<uint8_t> output(static_cast<size_t>(outputPitch) * c.size.height, 0xAB);
        platform::PictureScaler scaler;
        scaler.configure(pictureWidth, pictureHeight, c.pictureBits, target, c.format);
        EXPECT_EQ(scaler.scale(picture.data(), pitch, Rect{-5, -5, 900, 900}, output.data(), outputPitch), target);
        const auto expectMatches = [&](const char* when) {
            const ReferenceScaler reference(picture, c.pictureBits);
            for (int y = 0; y < c.size.height; ++y)
                for (int x = 0; x < c.size.width; ++x) {
                    const bool inside = x >= target.left && x < target.right && y >= target.top && y < target.bottom;
                    const uint32_t expected =
                        inside ? ReferenceScaler::pack(reference.scaled(x - target.left, y - target.top, target), c.format)
                               : 0xABABABABu >> (32 - 8 * outputBytes);
                    ASSERT_EQ(outputPixel(output, outputPitch, x, y, outputBytes), expected) << when << " at " << x << ", " << y;
                }
        };
        expectMatches("whole");
        // Changed parts, one at an edge, one a single pixel, one a run of rows.
        for (const Rect& change : {Rect{0, 0, 37, 5}, Rect{799, 599, 800, 600}, Rect{123, 201, 457, 389}}) {
            for (int y = change.top; y < change.bottom; ++y)
                for (int x = change.left * bytes; x < change.right * bytes; ++x) picture[static_cast<size_t>(y) * pitch + x] ^= 0x5A;
            const std::vector<uint8_t> before = output;
            const Rect written = scaler.scale(picture.data(), pitch, change, output.data(), outputPitch);
            for (int y = 0; y < c.size.height; ++y)
                for (int x = 0; x < c.size.width; ++x)
                    if (outputPixel(output, outputPitch, x, y, outputBytes) != outputPixel(before, outputPitch, x, y, outputBytes)) {
                        ASSERT_TRUE(x >= written.left && x < written.right && y >= written.top && y < written.bottom);
                    }
            expectMatches("after a change");
        }
    }
}

namespace {

// The game's window on SDL's dummy display, whose pixels can be read back.
class Presenting : public ::testing::Test {
protected:
    void SetUp() override {
        platform::WindowOptions options;
        options.fullScreen = false;
        options.title = "presenting";
        window = std::make_unique<platform::SdlWindow>(options);
        ASSERT_TRUE(window->initialized());
        ASSERT_FALSE(window->usesRenderer());
        for (int y = 0; y < pictureHeight; ++y)
            for (int x = 0; x < pictureWidth; ++x) picture.setPixelAt(x, y, static_cast<uint32_t>(x * 7 + y * 13) & 0xFFFF);
    }
    void TearDown() override { SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT); }
    SDL_Surface* shown() { return SDL_GetWindowSurface(static_cast<SDL_Window*>(window->nativeHandle())); }
    uint32_t shownPixel(int x, int y) {
        SDL_Surface* s = shown();
        return static_cast<const uint32_t*>(s->pixels)[y * s->pitch / 4 + x] & 0xFFFFFF;
    }
    static uint32_t colourOf565(uint32_t p) {
        const uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
        return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
    }
    void present(int expectedCount, const char* what) {
        ASSERT_TRUE(window->present(picture));
        EXPECT_EQ(window->presentCount(), expectedCount) << what;
    }

    std::unique_ptr<platform::SdlWindow> window;
    platform::Surface picture{pictureWidth, pictureHeight, 16};
};

}  // namespace

TEST_F(Presenting, OnlyChangedPicturesAreShownAndOnlyTheirChangedPartsWritten) {
    present(1, "the first picture");
    EXPECT_EQ(shownPixel(123, 456), colourOf565(picture.pixelAt(123, 456)));
    present(1, "the same picture again");
    // A mark on the screen far from the change stays: only the change is written.
    static_cast<uint32_t*>(shown()->pixels)[0] = 0x123456;
    picture.setPixelAt(400, 300, 0xF800);
    present(2, "one changed pixel");
    EXPECT_EQ(shownPixel(400, 300), 0xFF0000u);
    EXPECT_EQ(shownPixel(0, 0), 0x123456u);
    present(2, "unchanged after the change");
    window->invalidate();
    present(3, "after a restore");
    EXPECT_EQ(shownPixel(0, 0), colourOf565(picture.pixelAt(0, 0)));
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    platform::MessageQueue queue;
    window->translate(exposed, queue);
    present(4, "after an expose");
}

TEST_F(Presenting, ANewWindowSizeShowsTheWholePictureLetterboxedAndClicksFollowIt) {
    present(1, "the first picture");
    SDL_SetWindowSize(static_cast<SDL_Window*>(window->nativeHandle()), 1920, 1080);
    present(2, "the same picture in a larger window");
    ASSERT_EQ(shown()->w, 1920);
    EXPECT_EQ(shownPixel(100, 500), 0u) << "bar";
    EXPECT_EQ(shownPixel(1900, 10), 0u) << "bar";
    // Output pixel 240 + 1.8 * 500 lies wholly inside picture pixel 500.
    EXPECT_EQ(shownPixel(1140, 0), colourOf565(picture.pixelAt(500, 0)));
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = 1140, click.button.y = 1079;
    platform::MessageQueue queue;
    window->translate(click, queue);
    platform::Message m;
    ASSERT_TRUE(queue.peek() && queue.get(m));
    EXPECT_EQ(m.secondParameter, packPosition(500, 599));
    present(2, "unchanged in the larger window");
}
