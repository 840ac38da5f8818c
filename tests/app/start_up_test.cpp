// Start-up and shut-down: each failing step ends with the start-up message
// and exit code 1, and the display's depth checks.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/application.h"
#include "app/entry.h"
#include "platform/display_device.h"
#include "platform/message_box.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "support/test_application.h"

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setErrorMessageHandler([this](const char* caption, const char* text) {
            captions.emplace_back(caption);
            texts.emplace_back(text);
        });
    }
    void TearDown() override {
        platform::setErrorMessageHandler(nullptr);
        platform::Window::refuseCreations(0);
        platform::DisplayDevice::refuseCreations(0);
        // The entry leaves a failed application alive, as the real program
        // does when it ends; the test frees it.
        delete theApplication;
        theApplication = nullptr;
    }

    std::vector<std::string> captions;
    std::vector<std::string> texts;
};

const char* const startUpText =
    "Cannot initialize game. Make sure your system satisfies our minimum requirements:\n\n"
    "Screen: resolution 800x600 or higher, 16 bit colour depth or higher\n"
    "CPU: PII 300 MHz or higher\n"
    "RAM: 64 MB or higher\n"
    "OS: Windows 95/98/ME/NT/2000/XP with DirectX 5.2 or above";

}  // namespace

TEST_F(StartUp, ARefusedWindowEndsTheProgramWithTheStartUpMessageAndNothingElse) {
    platform::Window::refuseCreations(1);
    EXPECT_EQ(runProgram(nullptr, 0), 1);
    EXPECT_EQ(captions, std::vector<std::string>{"Cannot Initialize Game"});
    EXPECT_EQ(texts, std::vector<std::string>{startUpText});
    // The application was not destroyed, so the setting was not written back,
    // and no later step ran.
    ASSERT_NE(theApplication, nullptr);
    EXPECT_FALSE(theApplication->initialized);
    EXPECT_EQ(theApplication->window, nullptr);
    EXPECT_EQ(theApplication->directDraw, nullptr);
    EXPECT_EQ(theRootNode, nullptr);
}

TEST_F(StartUp, ARefusedDisplayStopsTheChainAfterTheWindow) {
    platform::DisplayDevice::refuseCreations(1);
    EXPECT_EQ(runProgram(nullptr, 0), 1);
    EXPECT_EQ(texts, std::vector<std::string>{startUpText});
    EXPECT_NE(theApplication->window, nullptr);
    EXPECT_EQ(theApplication->backBuffer, nullptr);
    EXPECT_EQ(theApplication->directSound, nullptr);
}

TEST_F(StartUp, FullScreenStartsAtSixteenBitsWithTheFixedSettings) {
    Application* app = new Application(true, 800, 600, 16, 1, 15, 1, 22050, 16, nullptr, 0);
    theApplication = app;
    EXPECT_TRUE(app->initialized);
    EXPECT_EQ(app->bitsPerPixel, 16);
    EXPECT_EQ(app->frameInterval, 66);
    EXPECT_TRUE(app->active);
    ASSERT_NE(app->backBuffer, nullptr);
    EXPECT_EQ((std::tuple{app->backBuffer->width(), app->backBuffer->height(), app->backBuffer->bitsPerPixel()}),
              std::tuple(800, 600, 16));
    EXPECT_TRUE(app->present());
}

TEST_F(StartUp, SurfacesNeedAnRgbDepthOfAtLeastSixteenBits) {
    TestApplication test(32);
    Application& app = test.app();
    EXPECT_EQ(app.bitsPerPixel, 32);
    app.releaseSurfaces();
    EXPECT_EQ(app.backBuffer, nullptr);
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
