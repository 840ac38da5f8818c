// Mixing, room echo and conversion of synthesised sound.
#include "sample_buffer.h"

#include <algorithm>
#include <cmath>

SampleBuffer::SampleBuffer(double seconds, bool looping)
    : samples_(size_t(std::max(1.0, std::round(seconds * sampleRate))), 0.0f), looping_(looping) {}

void SampleBuffer::add(long index, float value) {
    const long n = long(samples_.size());
    if (looping_)
        index = ((index % n) + n) % n;
    else if (index < 0 || index >= n)
        return;
    samples_[size_t(index)] += value;
}

void SampleBuffer::mix(const SampleBuffer& other, double seconds, float gain) {
    const long start = long(std::lround(seconds * sampleRate));
    for (size_t i = 0; i < other.size(); ++i) add(start + long(i), other.at(i) * gain);
}

void SampleBuffer::addRoom(float wet, float decaySeconds) {
    // Four parallel combs of prime lengths (Schroeder), then two all-passes.
    const int combLengths[] = {1117, 1277, 1423, 1559};
    const int allPassLengths[] = {331, 113};
    const size_t n = samples_.size();
    const size_t passes = looping_ ? 2 : 1;
    std::vector<float> input(n * passes + (looping_ ? 0 : size_t(decaySeconds * sampleRate)), 0.0f);
    for (size_t p = 0; p < passes; ++p) std::copy(samples_.begin(), samples_.end(), input.begin() + std::ptrdiff_t(p * n));
    std::vector<float> out(input.size(), 0.0f);
    for (int length : combLengths) {
        const float feedback = std::pow(0.001f, float(length) / (decaySeconds * sampleRate));
        std::vector<float> line(size_t(length), 0.0f);
        float damp = 0;
        for (size_t i = 0; i < input.size(); ++i) {
            const float delayed = line[i % size_t(length)];
            damp = delayed * 0.6f + damp * 0.4f;
            line[i % size_t(length)] = input[i] + damp * feedback;
            out[i] += delayed / 4;
        }
    }
    for (int length : allPassLengths) {
        std::vector<float> line(size_t(length), 0.0f);
        for (size_t i = 0; i < out.size(); ++i) {
            const float delayed = line[i % size_t(length)];
            const float v = out[i] + delayed * 0.5f;
            line[i % size_t(length)] = v;
            out[i] = delayed - v * 0.5f;
        }
    }
    if (looping_) {
        // The second pass heard the first one's tail: that is the steady loop.
        for (size_t i = 0; i < n; ++i) samples_[i] += out[n + i] * wet;
    } else {
        samples_.resize(out.size(), 0.0f);
        for (size_t i = 0; i < out.size(); ++i) samples_[i] += out[i] * wet;
        // Drop the silent end of the tail.
        size_t end = samples_.size();
        const float quiet = peak() * 0.0005f;
        while (end > 1 && std::fabs(samples_[end - 1]) < quiet) --end;
        samples_.resize(end);
    }
}

void SampleBuffer::soften(float cutoffHz) {
    const float a = 1 - std::exp(-2 * 3.14159265f * cutoffHz / sampleRate);
    // A looping buffer starts from the state its end leaves, so the join stays smooth.
    float state = 0;
    if (looping_)
        for (float s : samples_) state += a * (s - state);
    for (float& s : samples_) {
        state += a * (s - state);
        s = state;
    }
}

float SampleBuffer::peak() const {
    float p = 0;
    for (float s : samples_) p = std::max(p, std::fabs(s));
    return p;
}

std::vector<int16_t> SampleBuffer::toPcm(float peakFraction) const {
    const float p = peak();
    const float scale = p > 0 ? peakFraction * 32767 / p : 0;
    std::vector<int16_t> pcm;
    pcm.reserve(samples_.size());
    // A one-shot sound ends in a short fade so its last sample is silence.
    const size_t fade = looping_ ? 0 : std::min<size_t>(samples_.size(), sampleRate / 100);
    for (size_t i = 0; i < samples_.size(); ++i) {
        const size_t left = samples_.size() - i;
        const float gain = left <= fade ? float(left - 1) / float(fade) : 1.0f;
        pcm.push_back(int16_t(std::lround(std::clamp(samples_[i] * scale * gain, -32767.0f, 32767.0f))));
    }
    return pcm;
}
