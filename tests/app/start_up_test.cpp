// Start-up and shut-down: each failing step ends with the start-up message
// and exit code 1, and the display's depth checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "app/application.h"
#include "app/entry.h"
#include "platform/sound/audio_device.h"
#include "platform/reports/diagnostics.h"
#include "platform/drawing/display_device.h"
#include "platform/desktop/message_box.h"
#include "platform/drawing/surface.h"
#include "support/test_application.h"

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setErrorMessageHandler([this](const char* caption, const char* text) {
            messageBoxes.push_back(std::string(caption) + "|" + text);
        });
    }
    void TearDown() override {
        platform::setErrorMessageHandler(nullptr);
        platform::DisplayDevice::refuseCreations(0);
        platform::AudioDevice::refuseOpenings(0);
        // The entry leaves a failed application alive, as the real program
        // does when it ends; the test frees it.
        delete theApplication;
        theApplication = nullptr;
    }

    std::vector<std::string> messageBoxes;
};

const std::string startUpText =
    "Cannot initialize game. Make sure your system satisfies our minimum requirements:\n\n"
    "Screen: resolution 800x600 or higher, 16 bit colour depth or higher\n"
    "Desktop: a graphical session (X11 or Wayland)\n"
    "Libraries: " + platform::builtWithLibraries() + " or above";

}  // namespace

// A player starting the game from a terminal, or a bug report, learns which
// step failed and why: SDL's own words where SDL refused.
TEST_F(StartUp, EachFailingStepEndsTheProgramWithTheStartUpMessageAndItsReasonAndNothingLaterRuns) {
    EXPECT_TRUE(std::regex_match(platform::builtWithLibraries(),
                                 std::regex(R"(SDL 2\.\d+\.\d+, SDL_ttf 2\.\d+\.\d+ and fontconfig 2\.\d+\.\d+)")));
    const struct {
        void (*fail)();
        const char* line;
    } steps[] = {
        {[] { setenv("SDL_VIDEODRIVER", "no-such-driver", 1); },
         "Start-up failed at the window: SDL could not start its video: no-such-driver"},
        {[] { platform::DisplayDevice::refuseCreations(1); }, "Start-up failed at the display: "},
        {[] { platform::AudioDevice::refuseOpenings(2); }, "Start-up failed at the sound output: "},
    };
    for (const auto& step : steps) {
        step.fail();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(runProgram(nullptr, 0), 1);
        const std::string written = ::testing::internal::GetCapturedStderr();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        // The application was not destroyed, so no setting was written back.
        ASSERT_NE(theApplication, nullptr);
        EXPECT_FALSE(theApplication->initialized);
        EXPECT_EQ(theApplication->directSound, nullptr) << step.line;
        EXPECT_EQ(theRootNode, nullptr);
        delete theApplication;
        theApplication = nullptr;
        EXPECT_NE(written.find("Cannot Initialize Game\n\n" + startUpText + "\n"), std::string::npos) << written;
        const size_t line = written.find(step.line);
        ASSERT_NE(line, std::string::npos) << written;
        EXPECT_GT(written.find('\n', line), line + std::strlen(step.line)) << "a reason ends the line: " << written;
    }
    EXPECT_EQ(messageBoxes, std::vector<std::string>(3, "Cannot Initialize Game|" + startUpText));
}

TEST_F(StartUp, FullScreenStartsAtSixteenBits) {
    theApplication = new Application(true, 800, 600, 16, 1, 15, 1, 22050, 16, nullptr, 0);
    ASSERT_TRUE(theApplication->initialized);
    const platform::Surface& back = *theApplication->backBuffer;
    EXPECT_EQ(std::tuple(theApplication->bitsPerPixel, back.width(), back.height(), back.bitsPerPixel()),
              std::tuple(16, 800, 600, 16));
    EXPECT_TRUE(theApplication->present());
}

TEST_F(StartUp, SurfacesNeedAnRgbDepthOfAtLeastSixteenBits) {
    TestApplication test(32);
    Application& app = test.app();
    app.releaseSurfaces();
    app.directDraw->setBitsPerPixel(8);
    EXPECT_FALSE(app.createSurfaces());
    app.releaseSurfaces();
    app.directDraw->setBitsPerPixel(24);
    app.directDraw->refuseSurfaceCreations(1);
    EXPECT_FALSE(app.createSurfaces());
    app.releaseSurfaces();
    EXPECT_TRUE(app.createSurfaces());
    EXPECT_EQ(app.bitsPerPixel, 24);
    EXPECT_TRUE(app.fillRect(0, 0, 10, 10, 0x123456));
    EXPECT_TRUE(app.present());
    theApplication = nullptr;
}
