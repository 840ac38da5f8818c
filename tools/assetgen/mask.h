// A grid of coverage values from 0 to 1, such as rendered text, that can be
// widened into an outline or softened into a shadow before it is painted.
#pragma once

#include <cstdint>
#include <vector>

class Mask {
public:
    Mask() = default;
    Mask(int width, int height);
    // Takes 8-bit coverage rows (0 empty, 255 full), pitch bytes apart.
    static Mask fromCoverage(const uint8_t* coverage, int width, int height, int pitch);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    float at(int x, int y) const;
    void set(int x, int y, float value);

    // A copy with room of `border` empty pixels on every side.
    Mask padded(int border) const;
    // Every pixel takes the largest coverage within `radius` (a round pen).
    Mask dilated(float radius) const;
    // A box blur of the given radius, run twice for a smooth falloff.
    Mask blurred(int radius) const;
    // The same mask scaled horizontally by factor (for condensing text that is too wide).
    Mask squeezed(float factor) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<float> values_;
};
