// Rendering through the platform's font rasterizer, and fitting.
#include "text_art.h"

#include <algorithm>

#include "platform/drawing/font_rasterizer.h"

namespace {

const char* faceName(Typeface face) {
    switch (face) {
    case Typeface::sans:
    case Typeface::sansBold:
        return "Liberation Sans";
    case Typeface::serifBold:
        return "DejaVu Serif";
    case Typeface::condensedBold:
        return "DejaVu Sans Condensed";
    }
    return "Liberation Sans";
}

bool isBold(Typeface face) { return face != Typeface::sans; }

// The inked rows and columns of a mask, as [first, last] pairs; false when blank.
bool inkBounds(const Mask& mask, int& left, int& right, int& top, int& bottom) {
    left = mask.width(), right = -1, top = mask.height(), bottom = -1;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.at(x, y) > 0.02f) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right >= 0;
}

Mask renderCell(const std::string& text, Typeface face, int cellHeight) {
    const platform::FontRasterizer font(faceName(face), cellHeight, isBold(face));
    platform::TextCoverage coverage;
    if (!font.isOpen() || !font.render(text.c_str(), int(text.size()), coverage) || coverage.width == 0) return Mask();
    return Mask::fromCoverage(coverage.pixels.data(), coverage.width, coverage.height, coverage.width);
}

}  // namespace

Mask TextArt::render(const std::string& text, Typeface face, int cellHeight, Crop crop) {
    // Rows run from the top of the ascenders to the bottom of the descenders
    // for every text of one size, so labels of one size line up.
    const Mask reference = renderCell("Hdgjpy", face, cellHeight);
    const Mask full = renderCell(text, face, cellHeight);
    int left, right, top, bottom, refLeft, refRight, refTop, refBottom;
    if (!inkBounds(full, left, right, top, bottom) || !inkBounds(reference, refLeft, refRight, refTop, refBottom))
        return Mask();
    if (crop == Crop::line) {
        top = std::min(top, refTop);
        bottom = std::max(bottom, refBottom);
    }
    Mask result(right - left + 1, bottom - top + 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) result.set(x - left, y - top, full.at(x, y));
    return result;
}

Mask TextArt::fit(const std::string& text, Typeface face, int maxWidth, int maxHeight, Crop crop) {
    Mask fitting;
    Mask tallest;
    for (int cell = 6; cell <= maxHeight * 3; ++cell) {
        Mask candidate = render(text, face, cell, crop);
        if (candidate.empty() || candidate.height() > maxHeight) break;
        tallest = candidate;
        if (candidate.width() <= maxWidth) fitting = candidate;
    }
    if (!fitting.empty()) return fitting;
    if (tallest.empty()) return tallest;
    return tallest.squeezed(float(maxWidth) / float(tallest.width()));
}

int TextArt::capitalHeight(Typeface face, int cellHeight) {
    int left, right, top, bottom;
    return inkBounds(renderCell("H", face, cellHeight), left, right, top, bottom) ? bottom - top + 1 : 0;
}
