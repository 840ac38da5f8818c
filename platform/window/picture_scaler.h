// Scales the picture into a rectangle of an output surface of any pixel
// format. Enlarging, every output pixel takes the picture pixels its area
// covers (at most two per direction): whole pixels stay sharp and only the
// seams between them are mixed. Shrinking takes the pixel under each output
// pixel's centre. The sampling is worked out once per size into tables; a
// picture row is converted once and its output row repeated, and only the
// output pixels a changed part of the picture reaches are written.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/drawing/rect.h"

namespace platform {

// How an output pixel is packed: its size and where each 8-bit channel's
// top bits go.
struct OutputFormat {
    int bytesPerPixel = 4;
    int redShift = 16, greenShift = 8, blueShift = 0;
    int redLoss = 0, greenLoss = 0, blueLoss = 0;
    bool operator==(const OutputFormat&) const = default;
};

// One output pixel's sample along one direction: the picture pixel it starts
// on and the share (out of 256) of the next one.
struct Sample {
    int first = 0;
    int nextShare = 0;
};

// The samples of every output pixel along a direction of pictureSize pixels
// scaled to outputSize.
std::vector<Sample> sampleTable(int pictureSize, int outputSize);

class PictureScaler {
public:
    // pictureBits: 16 (5-6-5), 24 (B, G, R) or 32 (B, G, R, X). target is
    // where the whole picture goes in the output.
    void configure(int pictureWidth, int pictureHeight, int pictureBits, const Rect& target,
                   const OutputFormat& format);

    // Writes the output pixels that the picture's rectangle changed reaches
    // and returns them as an output rectangle (empty when none).
    Rect scale(const uint8_t* picture, int picturePitch, const Rect& changed, uint8_t* output,
               int outputPitch);

private:
    const uint32_t* scaledRow(const uint8_t* picture, int picturePitch, int row, int firstColumn,
                              int lastColumn, int left, int right);
    void decodeRow(const uint8_t* source, int firstColumn, int lastColumn);
    void pack(const uint32_t* colours, int count, uint8_t* out) const;

    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    int pictureBytes_ = 2;
    // Shown one to one in pixels of the picture's own format: rows are
    // copied as they are.
    bool copiesRows_ = false;
    Rect target_;
    OutputFormat format_;
    std::vector<Sample> columns_;
    std::vector<Sample> rows_;
    std::vector<uint32_t> decoded_;
    // Two scaled picture rows, 0x00RRGGBB, kept by picture row number.
    std::vector<uint32_t> scaled_[2];
    int scaledRowNumber_[2] = {-1, -1};
    int nextSlot_ = 0;
    std::vector<uint32_t> mixed_;
};

}  // namespace platform
