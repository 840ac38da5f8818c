// The sound device, the stand-in for the DirectSound object: one SDL audio
// output (or, with no usable output, SDL's silent dummy driver) whose
// callback mixes every playing sound buffer into the device format.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/sound/sound_buffer.h"

namespace platform {

class AudioDevice {
public:
    // Opens the default output for mono 16-bit samples at sampleRate,
    // falling back to the dummy driver (one line on stderr says so).
    // nullptr when not even that opens.
    static AudioDevice* open(const uint32_t& sampleRate);
    // A device with no output at all: tests pull its mix with render().
    static AudioDevice* createDetached(const uint32_t& sampleRate);

    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;
    // Closes the output; buffers still alive are lost from then on.
    ~AudioDevice();

    // The SDL driver playing the sound ("dummy" when silent), or "" when detached.
    const char* driverName() const { return driverName_; }

    // A silent, stopped buffer of bytes in format, or nullptr when refused
    // (a format the mixer cannot play, or a size out of range).
    SoundBuffer* createBuffer(const SoundFormat& format, const uint32_t& bytes);

    // Mixes frames of output: every playing buffer, summed with saturation.
    void render(int16_t* const& output, const uint32_t& frames);

    // Stops (true) or restarts (false) the output as a whole; every buffer
    // keeps its place and plays on from there.
    void pauseOutput(const bool& paused);
    // Whether the output is open and paused.
    bool outputPaused() const;

    // Notices an output that went away (the sound server stopped or was
    // restarted): says so once on standard error and opens it again, at
    // once and then every few seconds until it opens, paused if it was,
    // with every buffer where it stood. Costs next to nothing while the
    // output plays; the silent fallback and a detached device never go away.
    void keepOutputOpen(const uint32_t& nowMilliseconds);

    // Marks every buffer lost, as another program taking the device would.
    void loseAllBuffers();

    // Test seams: the next count opening attempts of an output fail (the
    // first failure leads to the dummy driver, a second one to nullptr);
    // the next count buffer creations are refused.
    static void refuseOpenings(const int& count);
    void refuseBufferCreations(const int& count) { bufferRefusals_ = count; }
    // Test seam: the output goes away under the device, as when the sound server stops.
    void dropOutput();

private:
    friend class SoundBuffer;
    explicit AudioDevice(const uint32_t& sampleRate);
    bool openOutput(const char* const& driver);
    void closeOutput();
    void forget(SoundBuffer* const& buffer);

    uint32_t sampleRate_;
    const char* driverName_ = "";
    uint32_t outputId_ = 0;
    bool ownsAudioSubsystem_ = false;
    bool ownsDriver_ = false;
    int bufferRefusals_ = 0;
    // The output the player's system chose, which keepOutputOpen reopens.
    bool reopens_ = false;
    bool outputLost_ = false;
    uint32_t nextReopen_ = 0;
    bool paused_ = false;

    // Guards the buffers' shared state and memory; the callback holds it
    // while mixing, the program only for short copies and control calls.
    mutable std::mutex lock_;
    std::vector<SoundBuffer*> buffers_;
    std::vector<int32_t> mix_;
};

}  // namespace platform
