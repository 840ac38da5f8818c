// The game's pictures, grouped as the screens use them; each function draws
// its files and writes them into the given folder.
#pragma once

#include <string>

#include "raster.h"

bool writeBlockPictures(const std::string& folder);   // blocks, icons
bool writeDigitPictures(const std::string& folder);   // small and large digits
bool writeFieldPicture(const std::string& folder);    // the playing field
bool writeTitlePictures(const std::string& folder);   // title, menu buttons, maker's logos
bool writePanelPictures(const std::string& folder);   // panel labels and buttons, sound and exit buttons
bool writeHelpPictures(const std::string& folder);    // illustrations of the help pages

// The playing field without blocks, as written to field.bmp.
Raster fieldRaster();
