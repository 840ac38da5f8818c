// A font chosen by face name and height, as the device context selects it.
#pragma once

#include <memory>

#include "platform/drawing/font_rasterizer.h"

namespace platform {

class Font {
public:
    Font(const char* face, int height) : rasterizer_(FontRasterizer::shared(face, height)) {}

    const FontRasterizer& rasterizer() const { return *rasterizer_; }

private:
    std::shared_ptr<const FontRasterizer> rasterizer_;
};

}  // namespace platform
