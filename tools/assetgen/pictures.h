// The game's pictures, grouped as the screens use them; each function draws
// its files and writes them into the given folder. The pictures that hold
// words are drawn in the language gettext translates into.
#pragma once

#include <string>

#include "raster.h"

// Pictures without words.
bool writeBlockPictures(const std::string& folder);   // blocks, icons
bool writeDigitPictures(const std::string& folder);   // small and large digits
bool writeTitlePictures(const std::string& folder);   // title, the logo button beside the board
bool writeHelpPictures(const std::string& folder);    // illustrations of the help pages but the screen

// Pictures with words.
bool writeFieldPicture(const std::string& folder);    // the playing field
bool writeMenuPictures(const std::string& folder);    // menu buttons, the maker's logo with its tagline
bool writePanelPictures(const std::string& folder);   // panel labels and buttons, sound and exit buttons
bool writeHelpScreen(const std::string& folder);      // the playing screen in the help

// The playing field without blocks, as written to field.bmp.
Raster fieldRaster();
