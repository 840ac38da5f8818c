// Raised-cosine fades.
#include "envelope.h"

#include <cmath>

float Envelope::attack(double t, double seconds) {
    if (t <= 0) return 0;
    if (t >= seconds) return 1;
    return float(0.5 - 0.5 * std::cos(3.141592653589793 * t / seconds));
}

float Envelope::release(double t, double length, double seconds) {
    const double left = length - t;
    if (left <= 0) return 0;
    if (left >= seconds) return 1;
    return float(0.5 - 0.5 * std::cos(3.141592653589793 * left / seconds));
}
