// The application's sound device: opened for the program's output format,
// mono 16-bit at samplesPerSecond, even when sound is switched off.
#include "app/application.h"

#include "platform/sound/audio_device.h"

bool Application::createSoundDevice() {
    if (directSound == nullptr) directSound = platform::AudioDevice::open(static_cast<uint32_t>(samplesPerSecond));
    return directSound != nullptr;
}

bool Application::releaseSoundDevice() {
    delete directSound;
    directSound = nullptr;
    return true;
}
