// A linear RGB colour with channels from 0 to 1, and the few mixes the drawings need.
#pragma once

#include <algorithm>
#include <cstdint>

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;

    static Colour hex(uint32_t rgb) {
        return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f};
    }

    // Moves towards other by t (0 keeps this colour, 1 gives other).
    Colour mix(const Colour& other, float t) const {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
    }
    Colour lighter(float t) const { return mix({1, 1, 1}, t); }
    Colour darker(float t) const { return mix({0, 0, 0}, t); }
    Colour scaled(float f) const { return {r * f, g * f, b * f}; }
    Colour clamped() const {
        return {std::clamp(r, 0.0f, 1.0f), std::clamp(g, 0.0f, 1.0f), std::clamp(b, 0.0f, 1.0f)};
    }
};
