// Drawing of text labels and buttons in the game's one style: white on deep
// blue with orange frames, and a bright orange face when highlighted.
#pragma once

#include <string>

#include "raster.h"
#include "text_art.h"

class LabelArt {
public:
    // Paints a mask centred on (centreX, centreY) with a vertical gradient,
    // optionally over a soft shadow one pixel down and to the right.
    static void centred(Raster& raster, const Mask& mask, float centreX, float centreY, const Colour& top,
                        const Colour& bottom, bool shadow);
    // One line of text at a font cell height with its capitals centred on
    // (centreX, centreY), made smaller or condensed when wider than maxWidth.
    static void line(Raster& raster, const std::string& text, Typeface face, int cellHeight, float centreX,
                     float centreY, int maxWidth, const Colour& top, const Colour& bottom);
    // A button face in the rectangle, normal or highlighted.
    static void buttonFace(Raster& raster, float left, float top, float width, float height, bool highlighted);
    // The text colour that reads on a button face.
    static Colour buttonText(bool highlighted);
    // A strip of two frames of width x frameHeight, normal above highlighted:
    // the button face with the text at a font cell height, on background.
    static Raster buttonStrip(const std::string& text, int width, int frameHeight, int cellHeight,
                              const Colour& background);
};
