// A headless application for tests: the real start-up, windowed and hidden,
// on the dummy video driver the test entry selects.
#include "support/test_application.h"

#include <gtest/gtest.h>

#include "platform/sound/audio_device.h"
#include "platform/drawing/display_device.h"
#include "platform/drawing/surface.h"

TestApplication::TestApplication(int bitsPerPixel) : previous_(theApplication) {
    constexpr int hidden = 0;
    application_ = new Application(false, 800, 600, bitsPerPixel, 1, 15, 1, 22050, 16, nullptr, hidden);
    theApplication = application_;
    if (application_->backBuffer == nullptr) {
        ADD_FAILURE() << "the test application has no back buffer";
        return;
    }
    // The dummy desktop is 32 bits deep; other depths are made as a window
    // on such a desktop would have them.
    if (application_->bitsPerPixel != bitsPerPixel) {
        application_->releaseSurfaces();
        application_->directDraw->setBitsPerPixel(bitsPerPixel);
        if (!application_->createSurfaces()) ADD_FAILURE() << "no surfaces of " << bitsPerPixel << " bits";
    }
}

TestApplication::~TestApplication() {
    delete application_;
    theApplication = previous_;
}

platform::Surface& TestApplication::backBuffer() { return *application_->backBuffer; }

platform::AudioDevice& TestApplication::detachedSound() {
    if (!detachedSound_) {
        application_->releaseSoundDevice();
        application_->directSound = platform::AudioDevice::createDetached(22050);
        detachedSound_ = true;
    }
    return *application_->directSound;
}
