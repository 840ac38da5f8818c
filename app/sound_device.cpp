// Placeholder sound device until the audio layer lands.
#include "app/application.h"

bool Application::createSoundDevice() { return true; }
bool Application::releaseSoundDevice() { return true; }
