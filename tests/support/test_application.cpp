// A headless application for tests.
#include "support/test_application.h"

#include "platform/display_device.h"
#include "platform/surface.h"

TestApplication::TestApplication(int bitsPerPixel) : previous_(theApplication) {
    application_ = new Application(false, 800, 600, bitsPerPixel, 1, 15, 1, 22050, 16, nullptr, 0);
    application_->bitsPerPixel = bitsPerPixel;
    application_->directDraw = new platform::DisplayDevice(bitsPerPixel);
    application_->backBuffer = application_->directDraw->createSurface(800, 600);
    application_->backBuffer->setClip(platform::Rect{0, 0, 800, 600});
    theApplication = application_;
}

TestApplication::~TestApplication() {
    platform::DisplayDevice* device = application_->directDraw;
    application_->backBuffer = nullptr;
    application_->directDraw = nullptr;
    delete application_;
    delete device;
    theApplication = previous_;
}

platform::Surface& TestApplication::backBuffer() { return *application_->backBuffer; }
