// Benchmarks, run on request: our alpha blend next to SDL's blended blit on
// the same surfaces and sizes, whole frames of a busy game and of the
// splash, the board scans, and the program's start-up to its first frame.
// Run from the folder with the game's pictures (scripts/benchmark.sh does).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/application.h"
#include "display/screen_manager.h"
#include "game/block.h"
#include "game/game_screen.h"
#include "media/image.h"
#include "platform/drawing/display_device.h"
#include "platform/drawing/sdl_reference_blend.h"
#include "platform/drawing/surface.h"

namespace {

struct Size {
    const char* name;
    int width;
    int height;
};
constexpr Size sizes[] = {{"block 30x30", 30, 30}, {"logo 280x90", 280, 90}, {"frame 800x600", 800, 600}};

// Our alpha 0..128 against SDL's 0..255: a general weight, the half weight
// (SDL's fast 50 % path) and the opaque weight (a plain copy on both sides).
constexpr int generalAlpha = 37;
constexpr int halfAlpha = 64;
constexpr int opaque = 128;

constexpr int hidden = 0;
constexpr int shown = 1;

Application* makeApplication(const bool& fullScreen, const int& bitsPerPixel, const int& show) {
    return new Application(fullScreen, 800, 600, bitsPerPixel, 1, 15, 1, 22050, 16, nullptr, show);
}

// The back buffer and the display in the given depth.
bool useDepth(const int& bits) {
    if (theApplication->bitsPerPixel == bits && theApplication->backBuffer != nullptr) return true;
    theApplication->releaseSurfaces();
    theApplication->directDraw->setBitsPerPixel(bits);
    return theApplication->createSurfaces();
}

void fillPattern(platform::Surface& surface) {
    uint32_t state = 7;
    for (int i = 0; i < surface.pitch() * surface.height(); ++i) {
        state = state * 214013u + 2531011u;
        surface.pixels()[i] = static_cast<uint8_t>(state >> 16);
    }
}

void ourBlend(benchmark::State& state, const int& bits, const Size& size, const int& alpha) {
    if (!useDepth(bits)) return state.SkipWithError("no back buffer of that depth");
    Image image("benchmark pattern.bmp", size.width, size.height, 1, 1, 1);
    image.createSurface();
    if (image.surface == nullptr) return state.SkipWithError("no surface");
    fillPattern(*image.surface);
    for (auto _ : state) {
        const bool drawn = alpha == opaque ? image.blitClipped(0, 0, 0, 0, 800, 600, 0)
                                           : image.alphaBlitClipped(0, 0, 0, 0, 800, 600, 0, alpha);
        if (!drawn) return state.SkipWithError("blit failed");
    }
    state.counters["pixels"] =
        benchmark::Counter(size.width * size.height, benchmark::Counter::kIsIterationInvariantRate);
}

void sdlBlend(benchmark::State& state, const int& bits, const Size& size, const int& alpha) {
    platform::SdlReferenceBlend reference(size.width, size.height, bits);
    if (!reference.isValid()) return state.SkipWithError("no SDL surfaces");
    for (auto _ : state) {
        const bool drawn = alpha == opaque ? reference.copy() : reference.blend(2 * alpha);
        if (!drawn) return state.SkipWithError("SDL blit failed");
    }
    state.counters["pixels"] =
        benchmark::Counter(size.width * size.height, benchmark::Counter::kIsIterationInvariantRate);
}

void registerBlends() {
    for (const int bits : {16, 32}) {
        for (const Size& size : sizes) {
            for (const int alpha : {generalAlpha, halfAlpha, opaque}) {
                const std::string name = "blend " + std::to_string(bits) + " bit " + size.name + " alpha " +
                                         std::to_string(alpha) + "/128";
                benchmark::RegisterBenchmark((name + " ours").c_str(), ourBlend, bits, size, alpha);
                benchmark::RegisterBenchmark((name + " SDL").c_str(), sdlBlend, bits, size, alpha);
            }
        }
    }
}

GameScreen* gameOf(ScreenManager& root) { return dynamic_cast<GameScreen*>(root.children[0]); }

// A chain about to run: two squares of one colour, hints shown, the cursor
// on a group, and plenty of time left.
void armChain(GameScreen& game) {
    for (const int cell : {0, 1, 8, 9}) game.board[cell]->setKind(2);
    for (const int cell : {18, 21, 42, 45}) game.board[cell]->setKind(3);
    game.timeLeft = game.maxTime;
    game.moving = true;
    game.cursorColumn = 3;
    game.cursorRow = 3;
    game.clearHints();
    game.findHints();
}

void busyGameFrame(benchmark::State& state) {
    if (!useDepth(16)) return state.SkipWithError("no back buffer");
    ScreenManager root(nullptr, 0, 0);
    theRootNode = &root;
    root.setFrame(SCREEN_GAME);
    GameScreen* game = gameOf(root);
    if (game == nullptr) return state.SkipWithError("no game screen");
    armChain(*game);
    for (auto _ : state) {
        root.draw();
        root.tick();
        if (!game->moving && !game->removing) {
            state.PauseTiming();
            armChain(*game);
            state.ResumeTiming();
        }
    }
    theRootNode = nullptr;
}

void splashFrameMidFade(benchmark::State& state) {
    if (!useDepth(16)) return state.SkipWithError("no back buffer");
    ScreenManager root(nullptr, 0, 0);
    theRootNode = &root;
    Sprite* splash = root.children[0];
    constexpr int midFadeIn = 8;
    for (auto _ : state) {
        splash->setFrame(midFadeIn);
        root.draw();
        root.tick();
    }
    theRootNode = nullptr;
}

void boardScan(benchmark::State& state, const bool& hints) {
    if (!useDepth(16)) return state.SkipWithError("no back buffer");
    ScreenManager root(nullptr, 0, 0);
    theRootNode = &root;
    root.setFrame(SCREEN_GAME);
    GameScreen* game = gameOf(root);
    if (game == nullptr) return state.SkipWithError("no game screen");
    for (auto _ : state) {
        if (hints) {
            game->clearHints();
            game->findHints();
        } else {
            game->matchCount = 0;
            for (int cell = 0; cell < 64; ++cell) game->board[cell]->setMatched(false);
            benchmark::DoNotOptimize(game->findMatches());
        }
    }
    state.counters["entries"] = hints ? game->hintCount : game->matchCount;
    theRootNode = nullptr;
}

// Start-up as the entry does it, to the first presented frame, in ms.
double measureStartUp() {
    const auto start = std::chrono::steady_clock::now();
    Application* application = makeApplication(true, 16, shown);
    theApplication = application;
    double milliseconds = -1;
    if (application->initialized) {
        theRootNode = new ScreenManager(nullptr, 0, 0);
        application->lastFrameTime = 0;
        if (theRootNode->draw()) {
            theRootNode->tick();
            if (application->present())
                milliseconds =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        delete theRootNode;
        theRootNode = nullptr;
    }
    delete application;
    theApplication = nullptr;
    return milliseconds;
}

}  // namespace

int main(int argc, char** argv) {
    const double startUp = measureStartUp();
    theApplication = makeApplication(false, 16, hidden);
    if (!theApplication->initialized) {
        std::fprintf(stderr, "cannot start the application for the benchmarks\n");
        return 1;
    }
    registerBlends();
    benchmark::RegisterBenchmark("frame busy game (draw + tick)", busyGameFrame)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("frame splash mid-fade (draw + tick)", splashFrameMidFade)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("findHints full board", boardScan, true)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("findMatches full board", boardScan, false)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete theApplication;
    std::printf("start-up to the first presented frame: %.1f ms\n", startUp);
    return 0;
}
