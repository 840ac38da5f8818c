// A headless application for tests: the real start-up with a hidden window on
// the dummy drivers, a back buffer of the chosen depth, installed as
// theApplication for the test's life. On request its sound device is one
// with no output, whose mix the test pulls.
#pragma once

#include "app/application.h"

namespace platform {
class AudioDevice;
class DisplayDevice;
}

class TestApplication {
public:
    explicit TestApplication(int bitsPerPixel = 16);
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;
    ~TestApplication();

    Application& app() { return *application_; }
    platform::Surface& backBuffer();
    // Replaces (once) the sound device with one without output.
    platform::AudioDevice& detachedSound();

private:
    Application* application_;
    Application* previous_;
    bool detachedSound_ = false;
};
