// A copy of the picture last put on the screen, to find what a new picture
// changed: a picture that changed nothing needs no scaling and no present.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/drawing/rect.h"

namespace platform {

class ShownPicture {
public:
    // The rectangles (bands of neighbouring changed rows) in which the picture
    // differs from the one last shown, which it then becomes. The whole
    // picture after forget() or when its size or depth changed; none when
    // nothing changed. Rows outside mayDiffer are taken as they were shown.
    std::vector<Rect> takeChanges(const uint8_t* pixels, int width, int height, int bytesPerPixel, int pitch,
                                  const Rect& mayDiffer);

    // The screen no longer holds what was shown: the next picture is all new.
    void forget() { valid_ = false; }

private:
    bool valid_ = false;
    int width_ = 0;
    int height_ = 0;
    int bytesPerPixel_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace platform
