// Where the picture sits in an output of any size (scaled to fit, its shape
// kept, centred between black bars) and which picture pixel an output point
// falls on. The presenter and the event pump share these two, so a click
// always lands on the pixel shown under it.
#pragma once

#include "platform/drawing/rect.h"

namespace platform {

// The output rectangle the picture is scaled into.
Rect letterboxRect(int outputWidth, int outputHeight, int pictureWidth, int pictureHeight);

struct PicturePoint {
    int x = 0;
    int y = 0;
    bool operator==(const PicturePoint&) const = default;
};

// The picture pixel under output point (x, y); points over the bars are
// pulled onto the picture's nearest edge.
PicturePoint pictureFromOutput(int x, int y, int outputWidth, int outputHeight, int pictureWidth,
                               int pictureHeight);

}  // namespace platform
