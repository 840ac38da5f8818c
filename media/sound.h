// A wave file played through a buffer of the sound device: whole (effects)
// or streaming through a short looping buffer refilled half by half (music).
#pragma once

#include <cstdint>

#include "media/wave_file.h"

namespace platform {
class SoundBuffer;
}

class Sound {
public:
    // A whole sound longer than either of these is refused: effects last a
    // few seconds, and a file claiming more would only take memory.
    static constexpr uint32_t MAX_WHOLE_SECONDS = 30;
    static constexpr uint32_t MAX_WHOLE_BYTES = 8u << 20;

    Sound(const char* const& fileName, const bool& streaming, const uint32_t& bufferSeconds);
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound();

    // Makes the buffer and fills it from the start of the wave data.
    bool createBuffer();
    bool fillBuffer();
    // Refills the half of a streaming buffer the cursor has left.
    bool refillStream();
    bool releaseBuffer();
    bool restoreBuffer();

    // Plays from the start.
    bool play();
    // Plays on from where the buffer stands, unless already playing.
    bool resume();
    // Keeps a streaming sound fed; called every tick while it plays.
    bool updateStream();
    // Silences the sound, keeping its position.
    bool stop();

    const char* fileName;
    uint32_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bitsPerSample = 0;
    uint32_t dataSize = 0;
    bool streaming;
    uint32_t bufferSize = 0;
    bool playing = false;
    platform::SoundBuffer* buffer = nullptr;
    WaveFile waveFile;
    // Start (0 or half the buffer) of the half that held the play cursor at
    // the last refill; every whole fill starts it again at 0.
    uint32_t lastStreamHalf = 0;

private:
    bool tooLongToHoldWhole() const;
    bool startPlaying();
};
