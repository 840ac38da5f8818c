// Loading a bitmap file into a surface: the file is read by name, decoded,
// stretched to the size its user declares and converted to the surface's
// pixel format.
#pragma once

#include <cstdint>

#include "platform/files/bitmap_decoder.h"

namespace platform {

class Surface;

// The largest bitmap file read (64 MiB).
inline constexpr size_t MAX_BITMAP_FILE_BYTES = size_t{64} << 20;

// Reads and decodes fileName (relative to the working directory) and
// stretches it to width x height when its own size differs; a width or
// height of 0 keeps the file's own. False when the file is missing,
// unreadable or not a bitmap we accept.
bool loadBitmapFile(const char* const& fileName, const int& width, const int& height, DecodedBitmap& out);

// The largest icon side handed to the window system: a larger icon can
// exceed the largest request an X server takes.
inline constexpr int MAX_ICON_SIDE = 256;
// The largest icon file read.
inline constexpr size_t MAX_ICON_FILE_BYTES = size_t{1} << 20;

// Reads and decodes an icon file, scaled down with its shape kept when a
// side exceeds MAX_ICON_SIDE. False when the file is missing or unusable.
bool loadIconFile(const char* const& fileName, DecodedBitmap& out);

// Nearest-neighbour resampling of source to width x height.
bool stretchBitmap(const DecodedBitmap& source, const int& width, const int& height, DecodedBitmap& out);

// Writes the bitmap into surface from its top-left corner, converted to the
// surface's pixel format; what lies beyond either of them is left alone.
// Fails when the surface cannot be locked (lost or busy).
bool copyBitmapToSurface(const DecodedBitmap& bitmap, Surface& surface);

}  // namespace platform
