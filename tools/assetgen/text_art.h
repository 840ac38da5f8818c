// Text as coverage masks, rendered with the installed Liberation and DejaVu
// fonts and fitted into the boxes the pictures give it.
#pragma once

#include <string>

#include "mask.h"

enum class Typeface { sans, sansBold, serifBold, condensedBold };

// How rendered text is cut: to its inked pixels, or to the line box that every
// text of the same size shares (ascender top to descender bottom), so that
// labels side by side line up.
enum class Crop { ink, line };

class TextArt {
public:
    // The text at the given cell height, cut as crop says; empty when no
    // font can be opened.
    static Mask render(const std::string& text, Typeface face, int cellHeight, Crop crop);
    // The text as large as fits into maxWidth x maxHeight inked pixels,
    // condensed sideways if even the smallest size is too wide.
    static Mask fit(const std::string& text, Typeface face, int maxWidth, int maxHeight, Crop crop);
    // The inked height of capital letters at a cell height, to line up labels.
    static int capitalHeight(Typeface face, int cellHeight);
};
