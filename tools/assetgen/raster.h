// A picture with straight alpha that the drawings paint into: shapes with
// anti-aliased edges, gradients, glows, bevels, masks and other rasters.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "colour.h"
#include "mask.h"
#include "shape.h"

struct Pixel {
    Colour colour;
    float alpha = 0;
};

class Raster {
public:
    // A fully transparent picture.
    Raster(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    const Pixel& at(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

    // Paints colour with the given opacity over the pixel (Porter-Duff "over").
    void blend(int x, int y, const Colour& colour, float opacity);
    void fill(const Colour& colour);
    void fillRect(int left, int top, int width, int height, const Colour& colour);
    void verticalGradient(int left, int top, int width, int height, const Colour& topColour,
                          const Colour& bottomColour);

    void fillShape(const Shape& shape, const Colour& colour, float opacity = 1);
    // Paints the shape with a colour chosen per pixel (for gradients and patterns).
    void paintShape(const Shape& shape, const std::function<Colour(float, float)>& colourAt, float opacity = 1);
    void verticalGradientShape(const Shape& shape, const Colour& topColour, const Colour& bottomColour);
    void radialGradientShape(const Shape& shape, float centreX, float centreY, float radius, const Colour& inner,
                             const Colour& outer);
    // A soft halo outside the shape that fades over `radius` pixels.
    void glow(const Shape& shape, const Colour& colour, float radius, float strength);
    // Lights the rim of the shape from the upper left and shades it at the lower right.
    void bevel(const Shape& shape, float depth, float strength);

    // Paints colour through the mask with its top-left corner at (x, y).
    void paintMask(const Mask& mask, int x, int y, const Colour& colour, float opacity = 1);
    void paintMaskGradient(const Mask& mask, int x, int y, const Colour& topColour, const Colour& bottomColour);
    // Composites another raster with its top-left corner at (x, y).
    void paintRaster(const Raster& source, int x, int y, float opacity = 1);

    // A picture `factor` times smaller, each pixel the average of a square of them.
    Raster downscaled(int factor) const;

    // The opaque picture: every pixel composited over background.
    std::vector<Colour> flattened(const Colour& background) const;

private:
    float coverage(const Shape& shape, float x, float y) const;
    template <typename Visit>
    void forShapePixels(const Shape& shape, float margin, Visit visit);

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};
