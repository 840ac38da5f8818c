// A wave file played through a buffer of the sound device: whole (effects)
// or streaming through a short looping buffer refilled half by half (music).
#pragma once

#include <cstdint>

class Sound {
public:
    Sound(const char* const& fileName, const bool& streaming, const uint32_t& bufferSeconds);
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound();

    bool createBuffer();
    bool play();
    bool resume();
    bool updateStream();
    bool stop();

    const char* fileName;
    bool streaming;
    bool playing = false;
};
