// The two digit strips: small digits for the counters beside the board and
// large outlined digits that float over the blocks.
#include <string>

#include "label_art.h"
#include "palette.h"
#include "picture_files.h"
#include "pictures.h"

namespace {

// The digits share one size: the largest at which "0" to "9" all fit.
std::vector<Mask> digitMasks(Typeface face, int maxWidth, int maxHeight) {
    int size = 6;
    for (int cell = 6; cell < maxHeight * 3; ++cell) {
        bool fits = true;
        for (char d = '0'; d <= '9'; ++d) {
            const Mask m = TextArt::render(std::string(1, d), face, cell, Crop::ink);
            if (m.empty() || m.width() > maxWidth || m.height() > maxHeight) fits = false;
        }
        if (!fits) break;
        size = cell;
    }
    std::vector<Mask> masks;
    for (char d = '0'; d <= '9'; ++d) masks.push_back(TextArt::render(std::string(1, d), face, size, Crop::ink));
    return masks;
}

// The small digits are opaque: their ground is the counters' wells in the field.
bool writeSmallDigits(const std::string& folder) {
    constexpr int width = 10, height = 12;
    Raster strip(width * 10, height);
    strip.fill(palette::panelBackground);
    const std::vector<Mask> masks = digitMasks(Typeface::sansBold, width - 1, height - 2);
    for (int d = 0; d < 10; ++d)
        LabelArt::centred(strip, masks[size_t(d)], d * width + width / 2.0f, height / 2.0f, palette::text,
                          palette::paleOrange, false);
    return writeBmp(folder + "/digits.bmp", opaquePicture(strip, palette::panelBackground));
}

// The large digits: a warm gradient in a dark outline, readable on every block colour.
bool writeLargeDigits(const std::string& folder) {
    constexpr int width = 16, height = 20;
    Raster strip(width * 10, height);
    const std::vector<Mask> masks = digitMasks(Typeface::sansBold, width - 4, height - 4);
    for (int d = 0; d < 10; ++d) {
        const Mask& glyph = masks[size_t(d)];
        const Mask outline = glyph.padded(2).dilated(1.6f);
        const float cx = d * width + width / 2.0f, cy = height / 2.0f;
        LabelArt::centred(strip, outline, cx, cy, palette::nightBlue, palette::nightBlue, false);
        LabelArt::centred(strip, glyph, cx, cy, Colour{1, 1, 1}, palette::gold, false);
    }
    return writeBmp(folder + "/digits2.bmp", keyedPicture(strip, palette::nightBlue));
}

}  // namespace

bool writeDigitPictures(const std::string& folder) {
    const bool small = writeSmallDigits(folder);
    return writeLargeDigits(folder) && small;
}
