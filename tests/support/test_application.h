// A headless application for tests: the real start-up with a hidden window on
// the dummy drivers, a back buffer of the chosen depth, installed as
// theApplication for the test's life.
#pragma once

#include "app/application.h"

namespace platform {
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

private:
    Application* application_;
    Application* previous_;
};
