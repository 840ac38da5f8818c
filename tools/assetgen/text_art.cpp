// Rendering through the platform's font rasterizer, fitting, and the record
// of how each text fitted.
#include "text_art.h"

#include <algorithm>
#include <utility>

#include "platform/drawing/font_rasterizer.h"

namespace {

std::vector<FittedText> theFitted;

// The tallest letters of a line: a capital, ascenders and descenders.
const char* const lineReference = "Hdgjpy";

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
    if (!font.isOpen() || !font.render(text.c_str(), int(text.size()), coverage, platform::TextEncoding::utf8) ||
        coverage.width == 0)
        return Mask();
    return Mask::fromCoverage(coverage.pixels.data(), coverage.width, coverage.height, coverage.width);
}

Mask condensed(const Mask& mask, int maxWidth, float& squeeze) {
    squeeze = mask.width() > maxWidth ? float(maxWidth) / float(mask.width()) : 1.0f;
    return squeeze < 1 ? mask.squeezed(squeeze) : mask;
}

void record(const std::string& text, Typeface face, int cellHeight, int designCapitals, float squeeze) {
    const platform::FontRasterizer font(faceName(face), cellHeight, isBold(face));
    theFitted.push_back({text, TextArt::capitalHeight(face, cellHeight), designCapitals, squeeze, font.hasGlyphs(text)});
}

// A cell height for a text, and the capitals its box was made for.
struct SizeChoice {
    int cellHeight = 0;
    int designCapitals = 0;
};

// The size for a text in a box: the largest whose ink fits the box while its
// capitals stay legible, else the smallest legible one (to be condensed);
// no size when the text draws nothing.
SizeChoice chooseSize(const std::string& text, Typeface face, int maxWidth, int maxHeight, Crop crop) {
    // Every size whose text fits the height, smallest first, with its width.
    std::vector<std::pair<int, int>> sizes;
    for (int cell = 6; cell <= maxHeight * 3; ++cell) {
        const Mask candidate = TextArt::render(text, face, cell, crop);
        if (candidate.empty() || candidate.height() > maxHeight) break;
        sizes.emplace_back(cell, candidate.width());
    }
    if (sizes.empty()) return {};
    // The box was made for a text with ascenders and descenders as large as
    // fits into it: a text with accents as well may come out smaller, but
    // not below that size or legibility, whichever is less.
    int designCell = 6;
    while (designCell < sizes.back().first * 3 &&
           TextArt::render(lineReference, face, designCell + 1, crop).height() <= maxHeight)
        ++designCell;
    const int designCapitals = TextArt::capitalHeight(face, designCell);
    const int legible = std::min(TextArt::LEGIBLE_CAPITALS, designCapitals);
    for (auto size = sizes.rbegin(); size != sizes.rend(); ++size)
        if (size->second <= maxWidth && TextArt::capitalHeight(face, size->first) >= legible)
            return {size->first, designCapitals};
    for (const auto& [cell, width] : sizes)
        if (TextArt::capitalHeight(face, cell) >= legible) return {cell, designCapitals};
    return {sizes.back().first, designCapitals};
}

}  // namespace

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

Mask TextArt::render(const std::string& text, Typeface face, int cellHeight, Crop crop) {
    // Rows run from the top of the ascenders to the bottom of the descenders
    // for every text of one size, so labels of one size line up.
    const Mask reference = renderCell(lineReference, face, cellHeight);
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
    return fitLines({text}, face, maxWidth, maxHeight, crop).front();
}

std::vector<Mask> TextArt::fitLines(const std::vector<std::string>& lines, Typeface face, int maxWidth, int maxHeight,
                                    Crop crop) {
    std::vector<SizeChoice> choices;
    int shared = 0;
    for (const std::string& line : lines) {
        choices.push_back(chooseSize(line, face, maxWidth, maxHeight, crop));
        if (choices.back().cellHeight > 0)
            shared = shared == 0 ? choices.back().cellHeight : std::min(shared, choices.back().cellHeight);
    }
    std::vector<Mask> masks;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (choices[i].cellHeight == 0) {
            masks.emplace_back();
            continue;
        }
        float squeeze = 1;
        masks.push_back(condensed(render(lines[i], face, shared, crop), maxWidth, squeeze));
        record(lines[i], face, shared, choices[i].designCapitals, squeeze);
    }
    return masks;
}

FittedMask TextArt::within(const std::string& text, Typeface face, int cellHeight, Crop crop, int maxWidth) {
    const int designCapitals = capitalHeight(face, cellHeight);
    const int legible = std::min(LEGIBLE_CAPITALS, designCapitals);
    int cell = cellHeight;
    Mask mask = render(text, face, cell, crop);
    while (mask.width() > maxWidth && cell > 1 && capitalHeight(face, cell - 1) >= legible)
        mask = render(text, face, --cell, crop);
    if (mask.empty()) return {};
    float squeeze = 1;
    mask = condensed(mask, maxWidth, squeeze);
    record(text, face, cell, designCapitals, squeeze);
    return {mask, cell};
}

int TextArt::capitalHeight(Typeface face, int cellHeight) {
    int left, right, top, bottom;
    return inkBounds(renderCell("H", face, cellHeight), left, right, top, bottom) ? bottom - top + 1 : 0;
}

const std::vector<FittedText>& TextArt::fitted() { return theFitted; }
