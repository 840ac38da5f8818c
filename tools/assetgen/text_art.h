// Text as coverage masks, rendered with the installed Liberation and DejaVu
// fonts and fitted into the boxes the pictures give it.
#pragma once

#include <string>
#include <vector>

#include "mask.h"

enum class Typeface { sans, sansBold, serifBold, condensedBold };

// How rendered text is cut: to its inked pixels, or to the line box that every
// text of the same size shares (ascender top to descender bottom), so that
// labels side by side line up.
enum class Crop { ink, line };

// How one text came out in its box, for the check that every translation
// reads well: its capitals' height as drawn and as the box was designed for
// (the largest the box holds), how far it was condensed, and whether the
// font had every character.
struct FittedText {
    std::string text;
    int capitals = 0;
    int designCapitals = 0;
    float squeeze = 1;
    bool complete = true;
};

// The lines of a text that holds line breaks.
std::vector<std::string> linesOf(const std::string& text);

// A mask and the font cell height it was drawn at.
struct FittedMask {
    Mask mask;
    int cellHeight = 0;
};

class TextArt {
public:
    // Capitals this tall read well at a glance; a longer translation is drawn
    // smaller down to this height (or its box's own, if less) and only then
    // condensed.
    static constexpr int LEGIBLE_CAPITALS = 9;

    // The UTF-8 text at the given cell height, cut as crop says; empty when no
    // font can be opened.
    static Mask render(const std::string& text, Typeface face, int cellHeight, Crop crop);
    // The text as large as fits into maxWidth x maxHeight inked pixels while
    // it stays legible, condensed sideways if even that is too wide.
    static Mask fit(const std::string& text, Typeface face, int maxWidth, int maxHeight, Crop crop);
    // Lines of one paragraph, each fitted as above but all at the size the
    // longest of them allows.
    static std::vector<Mask> fitLines(const std::vector<std::string>& lines, Typeface face, int maxWidth,
                                      int maxHeight, Crop crop);
    // The text at cellHeight, or smaller down to a legible size when wider
    // than maxWidth, condensed sideways if even that is too wide.
    static FittedMask within(const std::string& text, Typeface face, int cellHeight, Crop crop, int maxWidth);
    // The inked height of capital letters at a cell height, to line up labels.
    static int capitalHeight(Typeface face, int cellHeight);
    // Every text fitted so far, in order.
    static const std::vector<FittedText>& fitted();
};
