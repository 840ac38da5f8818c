// Placeholder until the sound device lands: every sound is silent.
#include "media/sound.h"

Sound::Sound(const char* const& fileName_, const bool& streaming_, const uint32_t&)
    : fileName(fileName_), streaming(streaming_) {}
Sound::~Sound() = default;
bool Sound::createBuffer() { return false; }
bool Sound::play() { return false; }
bool Sound::resume() { return false; }
bool Sound::updateStream() { return false; }
bool Sound::stop() { return true; }
