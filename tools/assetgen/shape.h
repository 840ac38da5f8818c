// A filled outline described by its signed distance (negative inside), so that
// every shape gets anti-aliased edges, strokes, glows and bevels the same way.
#pragma once

#include <functional>
#include <vector>

struct Point {
    float x = 0;
    float y = 0;
};

class Shape {
public:
    using DistanceFunction = std::function<float(float, float)>;

    Shape(DistanceFunction distance, float left, float top, float right, float bottom);

    static Shape circle(float centreX, float centreY, float radius);
    // A rectangle with corners rounded by cornerRadius (0 gives sharp corners).
    static Shape box(float left, float top, float width, float height, float cornerRadius);
    // Any simple polygon, convex or not, corners in order.
    static Shape polygon(const std::vector<Point>& corners);
    // A regular star with `points` tips, the first tip straight up.
    static Shape star(float centreX, float centreY, float outerRadius, float innerRadius, int points);
    static Shape heart(float centreX, float centreY, float size);
    // A line segment of the given thickness with round ends.
    static Shape segment(Point from, Point to, float thickness);

    Shape unite(const Shape& other) const;
    Shape subtract(const Shape& other) const;
    // Grows the shape by amount (shrinks it when negative).
    Shape grown(float amount) const;
    // The band of the given width centred on the outline.
    Shape outline(float width) const;
    Shape moved(float dx, float dy) const;

    float distance(float x, float y) const { return distance_(x, y); }
    float left() const { return left_; }
    float top() const { return top_; }
    float right() const { return right_; }
    float bottom() const { return bottom_; }

private:
    DistanceFunction distance_;
    float left_;
    float top_;
    float right_;
    float bottom_;
};
