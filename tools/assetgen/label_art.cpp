// The shared look of labels and buttons.
#include "label_art.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

void LabelArt::centred(Raster& raster, const Mask& mask, float centreX, float centreY, const Colour& top,
                       const Colour& bottom, bool shadow) {
    if (mask.empty()) return;
    const int x = int(std::lround(centreX - mask.width() / 2.0f));
    const int y = int(std::lround(centreY - mask.height() / 2.0f));
    if (shadow) raster.paintMask(mask, x + 1, y + 1, Colour{0, 0, 0}, 0.7f);
    raster.paintMaskGradient(mask, x, y, top, bottom);
}

void LabelArt::line(Raster& raster, const std::string& text, Typeface face, int cellHeight, float centreX,
                    float centreY, int maxWidth, const Colour& top, const Colour& bottom) {
    const FittedMask fitted = TextArt::within(text, face, cellHeight, Crop::line, maxWidth);
    const Mask& mask = fitted.mask;
    if (mask.empty()) return;
    const int capitals = TextArt::capitalHeight(face, fitted.cellHeight);
    const int x = int(std::lround(centreX - mask.width() / 2.0f));
    const int y = int(std::lround(centreY - capitals / 2.0f));
    raster.paintMaskGradient(mask, x, y, top, bottom);
}

void LabelArt::buttonFace(Raster& raster, float left, float top, float width, float height, bool highlighted) {
    const float radius = std::min(height / 2, 8.0f);
    const Shape face = Shape::box(left + 0.5f, top + 0.5f, width - 1, height - 1, radius);
    if (highlighted) {
        raster.verticalGradientShape(face, palette::gold.lighter(0.2f), palette::orange.darker(0.1f));
        raster.bevel(face, std::max(1.5f, height * 0.15f), 0.4f);
        raster.fillShape(face.outline(1.0f), palette::paleOrange);
    } else {
        raster.verticalGradientShape(face, palette::midBlue, palette::deepBlue);
        raster.bevel(face, std::max(1.5f, height * 0.15f), 0.25f);
        raster.fillShape(face.outline(1.0f), palette::orange.darker(0.15f));
    }
}

Colour LabelArt::buttonText(bool highlighted) { return highlighted ? palette::nightBlue : palette::text; }

Raster LabelArt::buttonStrip(const std::string& text, int width, int frameHeight, int cellHeight,
                             const Colour& background) {
    Raster strip(width, frameHeight * 2);
    strip.fill(background);
    for (int frame = 0; frame < 2; ++frame) {
        const bool highlighted = frame == 1;
        const float top = float(frame * frameHeight);
        buttonFace(strip, 0, top, float(width), float(frameHeight), highlighted);
        const Colour ink = buttonText(highlighted);
        line(strip, text, Typeface::sansBold, cellHeight, width / 2.0f, top + frameHeight / 2.0f, width - 6, ink, ink);
    }
    return strip;
}
