// A mono mix of floating-point samples at the game's rate: voices are added
// into it, a room echo spreads them, and it becomes 16-bit PCM at a chosen peak.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SampleBuffer {
public:
    static constexpr int sampleRate = 22050;

    // A silent buffer of the given length. A looping buffer wraps everything
    // added past its end round to its start, so its end joins its start.
    SampleBuffer(double seconds, bool looping);

    size_t size() const { return samples_.size(); }
    bool looping() const { return looping_; }
    float at(size_t index) const { return samples_[index]; }
    // Adds value at sample index; past the end it wraps (looping) or is dropped.
    void add(long index, float value);
    // Adds another buffer starting at `seconds`, scaled by gain.
    void mix(const SampleBuffer& other, double seconds, float gain);

    // A small room: a few feedback echoes and diffusers, mixed in at wet.
    // A looping buffer is echoed as if it had already played once, so the
    // tail of its end reaches into its start.
    void addRoom(float wet, float decaySeconds);
    // A gentle one-pole low-pass that takes the edge off bright voices.
    void soften(float cutoffHz);

    float peak() const;
    // The samples scaled so that the loudest reaches peakFraction of full scale.
    std::vector<int16_t> toPcm(float peakFraction) const;

private:
    std::vector<float> samples_;
    bool looping_;
};
