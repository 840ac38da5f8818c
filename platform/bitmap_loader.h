// Loading a bitmap file into a surface: the file is read by name, decoded,
// stretched to the size its user declares and converted to the surface's
// pixel format.
#pragma once

#include <cstdint>

#include "platform/bitmap_decoder.h"

namespace platform {

class Surface;

// The largest bitmap file read (64 MiB).
inline constexpr size_t MAX_BITMAP_FILE_BYTES = size_t{64} << 20;

// Reads and decodes fileName (relative to the working directory) and
// stretches it to width x height when its own size differs; a width or
// height of 0 keeps the file's own. False when the file is missing,
// unreadable or not a bitmap we accept.
bool loadBitmapFile(const char* const& fileName, const int& width, const int& height, DecodedBitmap& out);

// Nearest-neighbour resampling of source to width x height.
bool stretchBitmap(const DecodedBitmap& source, const int& width, const int& height, DecodedBitmap& out);

// Writes the bitmap into surface from its top-left corner, converted to the
// surface's pixel format; what lies beyond either of them is left alone.
// Fails when the surface cannot be locked (lost or busy).
bool copyBitmapToSurface(const DecodedBitmap& bitmap, Surface& surface);

}  // namespace platform
