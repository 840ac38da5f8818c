// Coverage grids: outlines and soft shadows for text.
#include "mask.h"

#include <algorithm>
#include <cmath>

Mask::Mask(int width, int height) : width_(width), height_(height), values_(size_t(width) * height, 0.0f) {}

Mask Mask::fromCoverage(const uint8_t* coverage, int width, int height, int pitch) {
    Mask mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) mask.set(x, y, coverage[size_t(y) * pitch + x] / 255.0f);
    return mask;
}

float Mask::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return values_[size_t(y) * width_ + x];
}

void Mask::set(int x, int y, float value) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    values_[size_t(y) * width_ + x] = value;
}

Mask Mask::padded(int border) const {
    Mask result(width_ + 2 * border, height_ + 2 * border);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) result.set(x + border, y + border, at(x, y));
    return result;
}

Mask Mask::dilated(float radius) const {
    Mask result(width_, height_);
    const int reach = int(std::ceil(radius));
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float best = 0;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    // Pixels at the rim of the pen count in part, which keeps the outline smooth.
                    const float weight = std::clamp(radius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    best = std::max(best, at(x + dx, y + dy) * weight);
                }
            result.set(x, y, best);
        }
    return result;
}

Mask Mask::blurred(int radius) const {
    Mask result = *this;
    const float span = float(2 * radius + 1);
    for (int pass = 0; pass < 2; ++pass) {
        Mask horizontal(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                float sum = 0;
                for (int d = -radius; d <= radius; ++d) sum += result.at(x + d, y);
                horizontal.set(x, y, sum / span);
            }
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                float sum = 0;
                for (int d = -radius; d <= radius; ++d) sum += horizontal.at(x, y + d);
                result.set(x, y, sum / span);
            }
    }
    return result;
}

Mask Mask::squeezed(float factor) const {
    const int newWidth = std::max(1, int(std::ceil(width_ * factor)));
    Mask result(newWidth, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < newWidth; ++x) {
            // Average the source pixels that fall into this target pixel.
            const float from = x / factor;
            const float to = (x + 1) / factor;
            float sum = 0;
            for (int sx = int(from); sx < int(std::ceil(to)); ++sx) {
                const float overlap = std::min(to, float(sx + 1)) - std::max(from, float(sx));
                sum += at(sx, y) * std::max(overlap, 0.0f);
            }
            result.set(x, y, sum * factor);
        }
    return result;
}
