// Illustrations for the help pages, as PNG files in help/: pieces of the
// board with their blocks, turns and the squares that make matches.
#include <string>
#include <vector>

#include "block_art.h"
#include "palette.h"
#include "picture_files.h"
#include "pictures.h"

namespace {

constexpr int cell = 44;
constexpr float blockSize = 32;
constexpr int joker = -1;

using Grid = std::vector<std::vector<int>>;

// The centre of a cell of a board piece drawn at (left, top).
Point centreOf(float left, float top, Point cellPosition) {
    return {left + (cellPosition.x + 0.5f) * cell, top + (cellPosition.y + 0.5f) * cell};
}

void drawJoker(Raster& raster, float x, float y) {
    // A joker flashes through every colour: shown as four small blocks in one.
    const float half = blockSize / 2;
    const int colours[4] = {0, 3, 2, 1};
    for (int i = 0; i < 4; ++i) drawBlock(raster, x + (i % 2) * half, y + (i / 2) * half, half, colours[i], 0);
}

// A piece of the board: its cells and blocks, at (left, top) of the raster.
void drawPiece(Raster& raster, float left, float top, const Grid& colours) {
    for (size_t r = 0; r < colours.size(); ++r)
        for (size_t c = 0; c < colours[r].size(); ++c) {
            const float x = left + c * cell, y = top + r * cell;
            raster.fillRect(int(x), int(y), cell, cell, (r + c) % 2 ? palette::cellLight : palette::cellDark);
            const float inset = (cell - blockSize) / 2;
            if (colours[r][c] == joker)
                drawJoker(raster, x + inset, y + inset);
            else
                drawBlock(raster, x + inset, y + inset, blockSize, colours[r][c], 0);
        }
}

void outlineSquare(Raster& raster, float left, float top, const std::vector<Point>& corners, const Colour& colour) {
    std::vector<Point> points;
    for (const Point& p : corners) points.push_back(centreOf(left, top, p));
    raster.fillShape(Shape::polygon(points).outline(3), colour);
}

Raster pieceWithSquare(const Grid& colours, const std::vector<Point>& square, const Colour& outline) {
    Raster picture(int(colours[0].size()) * cell, int(colours.size()) * cell);
    drawPiece(picture, 0, 0, colours);
    if (!square.empty()) outlineSquare(picture, 0, 0, square, outline);
    return picture;
}

// A group before and after a quarter turn, with an arrow between them.
Raster turn(bool anticlockwise) {
    const Grid before = {{0, 3}, {2, 1}};
    const Grid after = anticlockwise ? Grid{{3, 1}, {0, 2}} : Grid{{2, 0}, {1, 3}};
    Raster picture(cell * 2 * 2 + 70, cell * 2);
    picture.fill(palette::panelBackground);
    drawPiece(picture, 0, 0, before);
    drawPiece(picture, cell * 2 + 70.0f, 0, after);
    const float y = cell;
    const float x0 = cell * 2 + 12.0f, x1 = cell * 2 + 58.0f;
    picture.fillShape(Shape::segment({x0, y}, {x1 - 10, y}, 5), palette::orange);
    picture.fillShape(Shape::polygon({{x1, y}, {x1 - 14, y - 10}, {x1 - 14, y + 10}}), palette::orange);
    // The frame that marks the group under the pointer.
    picture.fillShape(Shape::box(6, 6, cell * 2 - 12.0f, cell * 2 - 12.0f, 2).outline(1.5f), Colour{1, 1, 1});
    return picture;
}

Raster blockRow() {
    Raster picture(8 * cell, cell);
    picture.fill(palette::cellDark);
    for (int i = 0; i < 8; ++i) drawBlock(picture, i * cell + (cell - blockSize) / 2, (cell - blockSize) / 2, blockSize, i, 0);
    return picture;
}

// The playing screen in the middle of a game, at half size.
Raster screen() {
    Raster picture = fieldRaster();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) drawBlock(picture, 175.0f + 60 * c, 115.0f + 60 * r, 30, (c * 5 + r * 3 + r * c) % 8, 0);
    drawBlock(picture, 705, 160, 30, 3, 0);
    picture.fillRect(200, 50, 260, 10, Colour::hex(0xFFA500));
    return picture.downscaled(2);
}

bool save(const std::string& folder, const char* name, const Raster& raster) {
    return writePng(folder + "/help/" + name, raster);
}

}  // namespace

bool writeHelpScreen(const std::string& folder) { return save(folder, "screen.png", screen()); }

bool writeHelpPictures(const std::string& folder) {
    const Colour white{1, 1, 1};
    bool ok = save(folder, "blocks.png", blockRow());
    ok = save(folder, "turn-left.png", turn(true)) && ok;
    ok = save(folder, "turn-right.png", turn(false)) && ok;
    ok = save(folder, "match-group.png",
              pieceWithSquare({{4, 2, 5}, {6, 0, 0}, {3, 0, 0}}, {{1, 1}, {2, 1}, {2, 2}, {1, 2}}, white)) && ok;
    ok = save(folder, "match-large.png",
              pieceWithSquare({{2, 5, 6, 2}, {4, 1, 3, 7}, {6, 3, 0, 5}, {2, 7, 4, 2}}, {{0, 0}, {3, 0}, {3, 3}, {0, 3}},
                              white)) && ok;
    ok = save(folder, "match-tilted.png",
              pieceWithSquare({{1, 3, 6, 5}, {4, 5, 7, 3}, {3, 6, 0, 5}, {7, 2, 3, 4}}, {{1, 0}, {3, 1}, {2, 3}, {0, 2}},
                              white)) && ok;
    ok = save(folder, "no-match.png",
              pieceWithSquare({{7, 1, 3, 7}, {2, 5, 4, 0}, {7, 6, 0, 7}}, {{0, 0}, {3, 0}, {3, 2}, {0, 2}},
                              Colour::hex(0xFF5050))) && ok;
    ok = save(folder, "joker.png",
              pieceWithSquare({{0, 4, 0}, {5, 2, 1}, {0, 6, joker}}, {{0, 0}, {2, 0}, {2, 2}, {0, 2}}, white)) && ok;
    // A left turn of the group on the right brings the fourth blue block into place.
    Raster hint = pieceWithSquare({{4, 3, 5, 4}, {3, 1, 6, 3}, {2, 3, 0, 5}, {2, 5, 1, 6}}, {{0, 1}, {1, 0}, {2, 1}, {1, 2}},
                                  Colour::hex(0xFF0000));
    hint.fillShape(Shape::box(2 * cell + 4.0f, cell + 4.0f, 2 * cell - 8.0f, 2 * cell - 8.0f, 2).outline(1.5f), white);
    ok = save(folder, "hint.png", hint) && ok;
    return ok;
}
