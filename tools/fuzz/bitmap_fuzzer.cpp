// Feeds arbitrary bytes to the bitmap decoder: it must either reject them
// with nothing decoded or give a picture that keeps its own promises.
#include <cstdint>
#include <cstdlib>

#include "platform/files/bitmap_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::DecodedBitmap picture;
    if (!platform::decodeBitmap(data, size, picture)) {
        if (!picture.pixels.empty()) std::abort();
        return 0;
    }
    const int64_t pixels = int64_t{picture.width} * picture.height;
    if (picture.width <= 0 || picture.height <= 0 || pixels > platform::MAX_BITMAP_PIXELS) std::abort();
    if (picture.pixels.size() != static_cast<size_t>(pixels)) std::abort();
    for (const uint32_t pixel : picture.pixels) {
        if (pixel > 0xFFFFFFu) std::abort();
    }
    return 0;
}
