// Writers of the picture formats: 24-bit BMP for the game, PNG for the
// desktop icons and the help pages.
#pragma once

#include <string>
#include <vector>

#include "colour.h"
#include "raster.h"

// Rows of opaque colours, top row first, width x height of them.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
};

// The picture composited over an opaque background.
Picture opaquePicture(const Raster& raster, const Colour& background);

// The picture for a surface whose colour key is black: pixels less than half
// covered become exactly black (transparent), edges are blended onto matte,
// and every visible pixel is kept away from black so that it survives the
// conversion to 5-6-5 as a non-zero value.
Picture keyedPicture(const Raster& raster, const Colour& matte);

// The 8-bit channel value the files store for c (0..1).
int channelByte(float c);

bool writeBmp(const std::string& path, const Picture& picture);
// RGBA, so that desktop icons keep their transparent corners.
bool writePng(const std::string& path, const Raster& raster);
