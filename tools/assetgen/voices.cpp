// Additive, FM and plucked-string synthesis of single notes.
#include "voices.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "envelope.h"

namespace voices {

namespace {

constexpr double twoPi = 6.283185307179586;

// A small deterministic noise source, so every build makes identical files.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        return float(state_ >> 8) / float(1u << 23) - 1.0f;
    }

private:
    uint32_t state_;
};

double time(size_t i) { return double(i) / SampleBuffer::sampleRate; }

}  // namespace

double pitch(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12); }

SampleBuffer bell(double frequency, double seconds) {
    struct Partial {
        double ratio;
        float level;
        float decay;
    };
    const Partial partials[] = {{0.5, 0.25f, 1.2f}, {1.0, 1.0f, 1.0f}, {2.0, 0.4f, 0.6f}, {2.76, 0.5f, 0.45f},
                                {4.07, 0.25f, 0.3f}, {5.43, 0.18f, 0.22f}, {8.93, 0.08f, 0.12f}};
    SampleBuffer out(seconds, false);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        float v = 0;
        for (const Partial& p : partials) {
            if (frequency * p.ratio > SampleBuffer::sampleRate * 0.45) continue;
            v += p.level * float(std::exp(-t / (p.decay * seconds * 0.5)) * std::sin(twoPi * frequency * p.ratio * t));
        }
        out.add(long(i), v * Envelope::attack(t, 0.002) * Envelope::release(t, seconds, 0.05));
    }
    return out;
}

SampleBuffer xylophone(double frequency) {
    const double seconds = 0.6;
    SampleBuffer out(seconds, false);
    Noise noise(7);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        float v = float(std::exp(-t / 0.12) * std::sin(twoPi * frequency * t));
        v += 0.35f * float(std::exp(-t / 0.04) * std::sin(twoPi * frequency * 3.0 * t));
        if (frequency * 9.2 < SampleBuffer::sampleRate * 0.45)
            v += 0.12f * float(std::exp(-t / 0.015) * std::sin(twoPi * frequency * 9.2 * t));
        v += 0.15f * noise.next() * float(std::exp(-t / 0.003));
        out.add(long(i), v * Envelope::attack(t, 0.001) * Envelope::release(t, seconds, 0.05));
    }
    return out;
}

SampleBuffer pluck(double frequency, double seconds, float brightness) {
    // Harmonics of a string plucked near one end: the higher ones start
    // weaker (less so when bright) and die away faster.
    SampleBuffer out(seconds, false);
    std::vector<float> string(out.size(), 0.0f);
    const double ringing = seconds * 0.35;
    for (int harmonic = 1; harmonic <= 12; ++harmonic) {
        const double f = frequency * harmonic;
        if (f > SampleBuffer::sampleRate * 0.45) break;
        const float level = float(std::pow(double(harmonic), -(2.2 - 1.4 * brightness)));
        const double decay = ringing / (1 + 0.6 * (harmonic - 1));
        // A touch of stiffness spreads the upper harmonics slightly sharp.
        const double stretched = f * (1 + 0.0004 * harmonic * harmonic);
        for (size_t i = 0; i < out.size(); ++i) {
            const double t = time(i);
            string[i] += level * float(std::exp(-t / decay) * std::sin(twoPi * stretched * t));
        }
    }
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        out.add(long(i), string[i] * Envelope::attack(t, 0.002) * Envelope::release(t, seconds, 0.03));
    }
    return out;
}

SampleBuffer brass(double frequency, double seconds) {
    SampleBuffer out(seconds, false);
    double phase = 0;
    double modulatorPhase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        const float swell = Envelope::attack(t, 0.06) * Envelope::release(t, seconds, 0.18);
        const double index = 0.6 + 2.6 * swell;
        modulatorPhase += twoPi * frequency / SampleBuffer::sampleRate;
        phase += twoPi * frequency / SampleBuffer::sampleRate;
        // A slight vibrato that starts after the attack.
        const double vibrato = 0.004 * std::sin(twoPi * 5.5 * t) * std::min(1.0, t * 3);
        out.add(long(i), swell * float(std::sin(phase * (1 + vibrato) + index * std::sin(modulatorPhase))));
    }
    return out;
}

SampleBuffer electricPiano(double frequency, double seconds) {
    SampleBuffer out(seconds, false);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        const double index = 1.4 * std::exp(-t / 0.25);
        const float level = float(std::exp(-t / (seconds * 0.6))) * Envelope::attack(t, 0.004) *
                            Envelope::release(t, seconds, 0.12);
        const double modulator = std::sin(twoPi * frequency * t);
        out.add(long(i), level * float(std::sin(twoPi * frequency * t + index * modulator) +
                                       0.15 * std::sin(twoPi * 2 * frequency * t)));
    }
    return out;
}

SampleBuffer pad(double frequency, double seconds) {
    SampleBuffer out(seconds, false);
    const double detunes[] = {-0.004, 0.0, 0.0045};
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        float v = 0;
        for (double d : detunes)
            for (int harmonic = 1; harmonic <= 4; ++harmonic)
                v += float(std::sin(twoPi * frequency * (1 + d) * harmonic * t + d * 900) / (harmonic * harmonic));
        out.add(long(i), v / 3 * Envelope::attack(t, seconds * 0.3) * Envelope::release(t, seconds, seconds * 0.35));
    }
    return out;
}

SampleBuffer bass(double frequency, double seconds) {
    SampleBuffer out(seconds, false);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        const float level = Envelope::attack(t, 0.01) * Envelope::release(t, seconds, 0.08) *
                            float(0.6 + 0.4 * std::exp(-t / 0.3));
        out.add(long(i), level * float(std::sin(twoPi * frequency * t) + 0.2 * std::sin(twoPi * 2 * frequency * t)));
    }
    return out;
}

SampleBuffer shaker(float brightness) {
    const double seconds = 0.08;
    SampleBuffer out(seconds, false);
    Noise noise(99);
    float previous = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = time(i);
        const float n = noise.next();
        // A first difference tilts the noise towards the high end.
        const float v = n - previous * (1 - brightness);
        previous = n;
        out.add(long(i), v * Envelope::attack(t, 0.004) * float(std::exp(-t / 0.02)));
    }
    return out;
}

}  // namespace voices
