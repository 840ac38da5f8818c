// A playable sound buffer, the stand-in for a DirectSound secondary buffer:
// PCM memory in its own format with a play cursor, played once or looping
// by the audio device's mixer, written by the program between lock and unlock.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

class AudioDevice;

struct SoundFormat {
    uint32_t channels = 1;
    uint32_t sampleRate = 22050;
    uint32_t bitsPerSample = 16;
};

class SoundBuffer {
public:
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;
    // Leaves the device's mixer; the buffer may outlive the device.
    ~SoundBuffer();

    uint32_t size() const { return static_cast<uint32_t>(memory_.size()); }

    // Hands out bytes..offset+bytes of the buffer as one or two parts (the
    // second when the region wraps past the end). With entireBuffer the
    // whole buffer is the region. One lock at a time.
    bool lock(const uint32_t& offset, const uint32_t& bytes, const bool& entireBuffer, uint8_t*& firstPart,
              uint32_t& firstSize, uint8_t*& secondPart, uint32_t& secondSize);
    // Makes the first written bytes of each part audible.
    bool unlock(uint8_t* const& firstPart, const uint32_t& firstWritten, uint8_t* const& secondPart,
                const uint32_t& secondWritten);

    bool play(const bool& looping);
    // Silences the buffer; the cursor stays where it is.
    bool stop();
    bool setCurrentPosition(const uint32_t& offset);
    bool getCurrentPosition(uint32_t& playCursor) const;
    bool isPlaying() const;

    // A lost buffer (its device taken away) fails every call but stop until
    // restored; restoring brings back silent memory.
    bool isLost() const;
    bool restore();

    // Test seams: lose the buffer now; make every later restore fail.
    void setLost(const bool& lost);
    void setRestoreFails(const bool& fails) { restoreFails_ = fails; }

private:
    friend class AudioDevice;
    SoundBuffer(AudioDevice* const& device, const SoundFormat& format, const uint32_t& bytes);

    // The mixer's side, called with the device's lock held: adds this
    // buffer's sound, resampled to outputRate, to frames of mix and moves
    // the cursor on.
    void mixInto(int32_t* const& mix, const uint32_t& frames, const uint32_t& outputRate);
    int32_t sampleAt(const uint32_t& frame) const;

    AudioDevice* device_;
    SoundFormat format_;
    uint32_t bytesPerFrame_;
    uint32_t frames_;
    // Read by the mixer; written only under the device's lock.
    std::vector<uint8_t> memory_;
    // What lock hands out, so the program never writes memory the mixer reads.
    std::vector<uint8_t> staging_;
    bool locked_ = false;
    uint32_t lockOffset_ = 0;
    uint32_t lockBytes_ = 0;
    bool restoreFails_ = false;

    // Shared with the mixer, under the device's lock.
    bool playing_ = false;
    bool looping_ = false;
    bool lost_ = false;
    uint32_t cursorFrame_ = 0;
    uint32_t cursorFraction_ = 0;
};

}  // namespace platform
