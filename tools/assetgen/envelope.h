// Smooth gain curves for the start and end of notes, so no note clicks.
#pragma once

class Envelope {
public:
    // Rises from 0 to 1 over the first `seconds` (a raised cosine).
    static float attack(double t, double seconds);
    // 1 until `seconds` before `length`, then falls smoothly to 0 at `length`.
    static float release(double t, double length, double seconds);
};
