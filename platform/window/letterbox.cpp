// The letterbox geometry. The arithmetic is single-precision float on
// purpose: it is the arithmetic of the renderer's logical-size mapping that
// players' clicks have always gone through, so every output size keeps the
// very same picture placement and click positions.
#include "platform/window/letterbox.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

struct Fit {
    Rect rect;
    float scale = 1.0f;
};

Fit fit(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight) {
    if (outputWidth <= 0 || outputHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return Fit{Rect{0, 0, std::max(outputWidth, 0), std::max(outputHeight, 0)}, 1.0f};
    }
    const float wanted = static_cast<float>(pictureWidth) / static_cast<float>(pictureHeight);
    const float real = static_cast<float>(outputWidth) / static_cast<float>(outputHeight);
    if (std::fabs(static_cast<double>(wanted - real)) < 0.0001) {
        return Fit{Rect{0, 0, outputWidth, outputHeight}, static_cast<float>(outputWidth) / pictureWidth};
    }
    if (wanted > real) {
        // Wider than the output: bars above and below.
        const float scale = static_cast<float>(outputWidth) / pictureWidth;
        const int height = static_cast<int>(std::floor(static_cast<float>(pictureHeight) * scale));
        const int top = (outputHeight - height) / 2;
        return Fit{Rect{0, top, outputWidth, top + height}, scale};
    }
    const float scale = static_cast<float>(outputHeight) / pictureHeight;
    const int width = static_cast<int>(std::floor(static_cast<float>(pictureWidth) * scale));
    const int left = (outputWidth - width) / 2;
    return Fit{Rect{left, 0, left + width, outputHeight}, scale};
}

}  // namespace

Rect letterboxRect(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight) {
    return fit(outputWidth, outputHeight, pictureWidth, pictureHeight).rect;
}

PicturePoint pictureFromOutput(int x, int y, int outputWidth, int outputHeight, int pictureWidth,
                               int pictureHeight) {
    const Fit f = fit(outputWidth, outputHeight, pictureWidth, pictureHeight);
    const int pictureX = static_cast<int>(static_cast<float>(x - f.rect.left) / f.scale);
    const int pictureY = static_cast<int>(static_cast<float>(y - f.rect.top) / f.scale);
    return PicturePoint{std::clamp(pictureX, 0, std::max(pictureWidth - 1, 0)),
                        std::clamp(pictureY, 0, std::max(pictureHeight - 1, 0))};
}

}  // namespace platform
