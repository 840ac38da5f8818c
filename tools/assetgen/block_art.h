// One block of the game at any size: its colour, its symbol and the steps of
// its vanishing. Used by the block sheet, the icons, the title and the help.
#pragma once

#include "raster.h"

enum class BlockSymbol { circle, square, triangle, diamond, star, cross, ring, heart };

// The symbol that colour index (0 to 7) carries.
BlockSymbol symbolOf(int colourIndex);

// Draws the block of colourIndex with its top-left corner at (x, y) in a
// size x size square. Stage 0 is the block at rest; stages 1 to 4 are the
// vanishing: it shrinks and brightens, then bursts into sparks that fade.
void drawBlock(Raster& raster, float x, float y, float size, int colourIndex, int stage);

// The symbol alone, centred at (centreX, centreY), about `size` across.
Shape symbolShape(BlockSymbol symbol, float centreX, float centreY, float size);
