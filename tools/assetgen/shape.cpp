// Signed distance functions of the basic shapes and their combinations.
#include "shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Shape::Shape(DistanceFunction distance, float left, float top, float right, float bottom)
    : distance_(std::move(distance)), left_(left), top_(top), right_(right), bottom_(bottom) {}

Shape Shape::circle(float centreX, float centreY, float radius) {
    return Shape([=](float x, float y) { return std::hypot(x - centreX, y - centreY) - radius; },
                 centreX - radius, centreY - radius, centreX + radius, centreY + radius);
}

Shape Shape::box(float left, float top, float width, float height, float cornerRadius) {
    const float halfW = width / 2;
    const float halfH = height / 2;
    const float cx = left + halfW;
    const float cy = top + halfH;
    const float radius = std::min({cornerRadius, halfW, halfH});
    return Shape(
        [=](float x, float y) {
            const float qx = std::fabs(x - cx) - halfW + radius;
            const float qy = std::fabs(y - cy) - halfH + radius;
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            return outside + std::min(std::max(qx, qy), 0.0f) - radius;
        },
        left, top, left + width, top + height);
}

Shape Shape::polygon(const std::vector<Point>& corners) {
    float left = corners.front().x, right = left, top = corners.front().y, bottom = top;
    for (const Point& p : corners) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return Shape(
        [corners](float x, float y) {
            float nearest = 1e9f;
            bool inside = false;
            const size_t n = corners.size();
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const Point& a = corners[i];
                const Point& b = corners[j];
                const float ex = b.x - a.x, ey = b.y - a.y;
                const float wx = x - a.x, wy = y - a.y;
                const float lengthSquared = ex * ex + ey * ey;
                const float t = lengthSquared > 0 ? std::clamp((wx * ex + wy * ey) / lengthSquared, 0.0f, 1.0f) : 0;
                nearest = std::min(nearest, std::hypot(wx - ex * t, wy - ey * t));
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
            }
            return inside ? -nearest : nearest;
        },
        left, top, right, bottom);
}

Shape Shape::star(float centreX, float centreY, float outerRadius, float innerRadius, int points) {
    std::vector<Point> corners;
    for (int i = 0; i < points * 2; ++i) {
        const float angle = std::numbers::pi_v<float> * i / points - std::numbers::pi_v<float> / 2;
        const float radius = i % 2 == 0 ? outerRadius : innerRadius;
        corners.push_back({centreX + radius * std::cos(angle), centreY + radius * std::sin(angle)});
    }
    return polygon(corners);
}

Shape Shape::heart(float centreX, float centreY, float size) {
    // Two lobes and a point below them; size is the full width.
    const float lobe = size * 0.27f;
    const float lobeY = centreY - size * 0.12f;
    const Shape left = circle(centreX - size * 0.22f, lobeY, lobe);
    const Shape right = circle(centreX + size * 0.22f, lobeY, lobe);
    const Shape point = polygon({{centreX - size * 0.46f, lobeY + size * 0.06f},
                                 {centreX + size * 0.46f, lobeY + size * 0.06f},
                                 {centreX, centreY + size * 0.45f}});
    return left.unite(right).unite(point.unite(box(centreX - size * 0.2f, lobeY - 1, size * 0.4f, size * 0.2f, 0)));
}

Shape Shape::segment(Point from, Point to, float thickness) {
    const float half = thickness / 2;
    return Shape(
        [=](float x, float y) {
            const float ex = to.x - from.x, ey = to.y - from.y;
            const float wx = x - from.x, wy = y - from.y;
            const float lengthSquared = ex * ex + ey * ey;
            const float t = lengthSquared > 0 ? std::clamp((wx * ex + wy * ey) / lengthSquared, 0.0f, 1.0f) : 0;
            return std::hypot(wx - ex * t, wy - ey * t) - half;
        },
        std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half,
        std::max(from.y, to.y) + half);
}

Shape Shape::unite(const Shape& other) const {
    const Shape a = *this;
    return Shape([a, other](float x, float y) { return std::min(a.distance(x, y), other.distance(x, y)); },
                 std::min(left_, other.left_), std::min(top_, other.top_), std::max(right_, other.right_),
                 std::max(bottom_, other.bottom_));
}

Shape Shape::subtract(const Shape& other) const {
    const Shape a = *this;
    return Shape([a, other](float x, float y) { return std::max(a.distance(x, y), -other.distance(x, y)); }, left_,
                 top_, right_, bottom_);
}

Shape Shape::grown(float amount) const {
    const Shape a = *this;
    return Shape([a, amount](float x, float y) { return a.distance(x, y) - amount; }, left_ - amount, top_ - amount,
                 right_ + amount, bottom_ + amount);
}

Shape Shape::outline(float width) const {
    const Shape a = *this;
    const float half = width / 2;
    return Shape([a, half](float x, float y) { return std::fabs(a.distance(x, y)) - half; }, left_ - half,
                 top_ - half, right_ + half, bottom_ + half);
}

Shape Shape::moved(float dx, float dy) const {
    const Shape a = *this;
    return Shape([a, dx, dy](float x, float y) { return a.distance(x - dx, y - dy); }, left_ + dx, top_ + dy,
                 right_ + dx, bottom_ + dy);
}
