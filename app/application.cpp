// Placeholder start-up and loop until the platform layer lands.
#include "app/application.h"

#include "display/sprite.h"

Application* theApplication = nullptr;
Sprite* theRootNode = nullptr;

Application::Application(const bool& fullScreen_, const int& width_, const int& height_, const int& bitsPerPixel_,
                         const int& backBufferCount_, const int& framesPerSecond_, const int& channels_,
                         const int& samplesPerSecond_, const int& bitsPerSample_, void* const& instance_,
                         const int&)
    : fullScreen(fullScreen_), width(width_), height(height_), bitsPerPixel(bitsPerPixel_),
      displayBits(bitsPerPixel_), framesPerSecond(framesPerSecond_), frameInterval(1000 / framesPerSecond_),
      channels(channels_), samplesPerSecond(samplesPerSecond_), bitsPerSample(bitsPerSample_), instance(instance_),
      backBufferCount(backBufferCount_) {}

Application::~Application() = default;
int Application::run() { return 0; }
bool Application::runFrame() { return true; }
