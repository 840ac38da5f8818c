// Painting operations of the drawing library.
#include "raster.h"

#include <algorithm>
#include <cmath>

Raster::Raster(int width, int height) : width_(width), height_(height), pixels_(size_t(width) * height) {}

void Raster::blend(int x, int y, const Colour& colour, float opacity) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    opacity = std::clamp(opacity, 0.0f, 1.0f);
    if (opacity <= 0) return;
    Pixel& p = pixels_[size_t(y) * width_ + x];
    const float outAlpha = opacity + p.alpha * (1 - opacity);
    const float keep = p.alpha * (1 - opacity);
    p.colour = {(colour.r * opacity + p.colour.r * keep) / outAlpha, (colour.g * opacity + p.colour.g * keep) / outAlpha,
                (colour.b * opacity + p.colour.b * keep) / outAlpha};
    p.alpha = outAlpha;
}

void Raster::fill(const Colour& colour) {
    for (Pixel& p : pixels_) p = {colour, 1};
}

void Raster::fillRect(int left, int top, int width, int height, const Colour& colour) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) blend(x, y, colour, 1);
}

void Raster::verticalGradient(int left, int top, int width, int height, const Colour& topColour,
                              const Colour& bottomColour) {
    for (int y = top; y < top + height; ++y) {
        const Colour c = topColour.mix(bottomColour, height > 1 ? float(y - top) / (height - 1) : 0);
        for (int x = left; x < left + width; ++x) blend(x, y, c, 1);
    }
}

float Raster::coverage(const Shape& shape, float x, float y) const {
    return std::clamp(0.5f - shape.distance(x, y), 0.0f, 1.0f);
}

template <typename Visit>
void Raster::forShapePixels(const Shape& shape, float margin, Visit visit) {
    const int left = std::max(0, int(std::floor(shape.left() - margin)) - 1);
    const int top = std::max(0, int(std::floor(shape.top() - margin)) - 1);
    const int right = std::min(width_, int(std::ceil(shape.right() + margin)) + 1);
    const int bottom = std::min(height_, int(std::ceil(shape.bottom() + margin)) + 1);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) visit(x, y, x + 0.5f, y + 0.5f);
}

void Raster::fillShape(const Shape& shape, const Colour& colour, float opacity) {
    forShapePixels(shape, 0, [&](int x, int y, float cx, float cy) { blend(x, y, colour, coverage(shape, cx, cy) * opacity); });
}

void Raster::paintShape(const Shape& shape, const std::function<Colour(float, float)>& colourAt, float opacity) {
    forShapePixels(shape, 0, [&](int x, int y, float cx, float cy) {
        const float c = coverage(shape, cx, cy) * opacity;
        if (c > 0) blend(x, y, colourAt(cx, cy), c);
    });
}

void Raster::verticalGradientShape(const Shape& shape, const Colour& topColour, const Colour& bottomColour) {
    const float top = shape.top();
    const float span = std::max(1.0f, shape.bottom() - top);
    paintShape(shape, [&](float, float y) { return topColour.mix(bottomColour, std::clamp((y - top) / span, 0.0f, 1.0f)); });
}

void Raster::radialGradientShape(const Shape& shape, float centreX, float centreY, float radius, const Colour& inner,
                                 const Colour& outer) {
    paintShape(shape, [&](float x, float y) {
        return inner.mix(outer, std::clamp(std::hypot(x - centreX, y - centreY) / radius, 0.0f, 1.0f));
    });
}

void Raster::glow(const Shape& shape, const Colour& colour, float radius, float strength) {
    forShapePixels(shape, radius * 3, [&](int x, int y, float cx, float cy) {
        const float d = shape.distance(cx, cy);
        if (d <= 0) return;
        blend(x, y, colour, strength * std::exp(-d * d / (radius * radius)));
    });
}

void Raster::bevel(const Shape& shape, float depth, float strength) {
    forShapePixels(shape, 0, [&](int x, int y, float cx, float cy) {
        const float d = shape.distance(cx, cy);
        if (d > 0.5f || d < -depth) return;
        // The outward normal from the distance gradient, lit from the upper left.
        const float nx = shape.distance(cx + 0.5f, cy) - shape.distance(cx - 0.5f, cy);
        const float ny = shape.distance(cx, cy + 0.5f) - shape.distance(cx, cy - 0.5f);
        const float length = std::hypot(nx, ny);
        if (length < 1e-4f) return;
        const float light = (-nx - ny) / (length * std::sqrt(2.0f));
        const float rim = 1 - std::clamp(-d / depth, 0.0f, 1.0f);
        const float amount = light * rim * strength * coverage(shape, cx, cy);
        if (amount > 0)
            blend(x, y, {1, 1, 1}, amount);
        else
            blend(x, y, {0, 0, 0}, -amount);
    });
}

void Raster::paintMask(const Mask& mask, int x, int y, const Colour& colour, float opacity) {
    for (int my = 0; my < mask.height(); ++my)
        for (int mx = 0; mx < mask.width(); ++mx) blend(x + mx, y + my, colour, mask.at(mx, my) * opacity);
}

void Raster::paintMaskGradient(const Mask& mask, int x, int y, const Colour& topColour, const Colour& bottomColour) {
    for (int my = 0; my < mask.height(); ++my) {
        const Colour c = topColour.mix(bottomColour, mask.height() > 1 ? float(my) / (mask.height() - 1) : 0);
        for (int mx = 0; mx < mask.width(); ++mx) blend(x + mx, y + my, c, mask.at(mx, my));
    }
}

void Raster::paintRaster(const Raster& source, int x, int y, float opacity) {
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx) {
            const Pixel& p = source.at(sx, sy);
            blend(x + sx, y + sy, p.colour, p.alpha * opacity);
        }
}

Raster Raster::downscaled(int factor) const {
    Raster result(width_ / factor, height_ / factor);
    const float count = float(factor * factor);
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) {
            Colour sum;
            float alpha = 0;
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    const Pixel& p = at(x * factor + dx, y * factor + dy);
                    sum = {sum.r + p.colour.r * p.alpha, sum.g + p.colour.g * p.alpha, sum.b + p.colour.b * p.alpha};
                    alpha += p.alpha;
                }
            Pixel& out = result.pixels_[size_t(y) * result.width() + x];
            out.alpha = alpha / count;
            out.colour = alpha > 0 ? sum.scaled(1 / alpha) : Colour{};
        }
    return result;
}

std::vector<Colour> Raster::flattened(const Colour& background) const {
    std::vector<Colour> result;
    result.reserve(pixels_.size());
    for (const Pixel& p : pixels_) result.push_back(background.mix(p.colour, p.alpha).clamped());
    return result;
}
