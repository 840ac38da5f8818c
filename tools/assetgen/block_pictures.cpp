// The block sheet and the icons made of four blocks.
#include "block_art.h"
#include "palette.h"
#include "picture_files.h"
#include "pictures.h"

namespace {

constexpr int blockSize = 30;
constexpr int stages = 5;
constexpr int colours = 8;

// Four blocks in a 2 x 2 group, slightly turned, as the game's emblem.
Raster iconOfSize(int size) {
    Raster icon(size, size);
    const float half = size / 2.0f;
    const int indices[4] = {0, 3, 2, 1};
    for (int i = 0; i < 4; ++i) drawBlock(icon, (i % 2) * half, (i / 2) * half, half, indices[i], 0);
    return icon;
}

}  // namespace

bool writeBlockPictures(const std::string& folder) {
    Raster sheet(blockSize * stages, blockSize * colours);
    for (int row = 0; row < colours; ++row)
        for (int stage = 0; stage < stages; ++stage)
            drawBlock(sheet, float(stage * blockSize), float(row * blockSize), blockSize, row, stage);
    // Anti-aliased edges are blended onto the board's cell colour, where blocks sit.
    bool ok = writeBmp(folder + "/blocks.bmp", keyedPicture(sheet, palette::cellDark));
    ok = writeBmp(folder + "/icon.bmp", opaquePicture(iconOfSize(64), palette::panelBackground)) && ok;
    ok = writePng(folder + "/icon-48.png", iconOfSize(48)) && ok;
    ok = writePng(folder + "/icon-256.png", iconOfSize(256)) && ok;
    return ok;
}
