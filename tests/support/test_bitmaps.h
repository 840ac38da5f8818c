// Helpers for tests that need bitmap files: writing a picture as a 24-bit
// .bmp and a private folder to put such files in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/bitmap_decoder.h"

// A picture of width x height whose pixel (x, y) is colourAt(x, y), 0xRRGGBB.
platform::DecodedBitmap makePicture(int width, int height, const std::function<uint32_t(int, int)>& colourAt);

// Writes the picture as an uncompressed bottom-up 24-bit bitmap file.
bool writeBitmapFile(const std::string& path, const platform::DecodedBitmap& picture);

// A fresh temporary folder, removed with everything in it when this goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder();

    std::string path(const std::string& name) const { return folder_ + "/" + name; }

private:
    std::string folder_;
};
