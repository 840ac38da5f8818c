// The playing field: the board and its frame, the counters' labelled wells,
// the time bar's trough, the bonus block's frame and the quiet corner for the
// sound, exit and logo buttons. Every place matches where the game screen
// draws its counters, blocks and buttons.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/language.h"
#include "block_art.h"
#include "label_art.h"
#include "palette.h"
#include "picture_files.h"
#include "pictures.h"

namespace {

constexpr int boardLeft = 160, boardTop = 100, cell = 60, cells = 8;
constexpr int columnWidth = 120;
constexpr int leftColumn = 20, rightColumn = 660;
constexpr int timeBarLeft = 200, timeBarTop = 50, timeBarWidth = 400, timeBarHeight = 10;
constexpr int bonusX = 705, bonusY = 160, blockSize = 30;

void drawBackground(Raster& field) {
    field.verticalGradient(0, 0, field.width(), field.height(), palette::midBlue.darker(0.35f), palette::nightBlue);
    // Faint tilted squares in the ground recall the matches the game is about.
    for (int i = 0; i < 7; ++i) {
        const float cx = 400 + (i - 3) * 150.0f, cy = (i % 2) ? 40.0f : 590.0f;
        const float r = 70 + 12.0f * i;
        const Shape square = Shape::polygon({{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}});
        field.fillShape(square.outline(2), palette::midBlue.lighter(0.1f), 0.25f);
    }
}

void drawBoard(Raster& field) {
    const float size = float(cell * cells);
    // The frame stays within 6 pixels of the board: the logo button starts at x 647.
    const Shape outer = Shape::box(boardLeft - 6.0f, boardTop - 6.0f, size + 12, size + 12, 6);
    field.glow(outer, palette::orange, 6, 0.3f);
    field.verticalGradientShape(outer, palette::gold, palette::orange.darker(0.35f));
    field.bevel(outer, 3, 0.5f);
    const Shape inner = Shape::box(boardLeft - 2.0f, boardTop - 2.0f, size + 4, size + 4, 2);
    field.fillShape(inner, palette::nightBlue);
    for (int r = 0; r < cells; ++r)
        for (int c = 0; c < cells; ++c) {
            const Colour ground = (r + c) % 2 ? palette::cellLight : palette::cellDark;
            const int x = boardLeft + c * cell, y = boardTop + r * cell;
            field.fillRect(x, y, cell, cell, ground);
            // A soft sunken well under the block's place in the middle of the cell.
            const Shape well = Shape::box(x + 13.0f, y + 13.0f, 34, 34, 8);
            field.fillShape(well, ground.darker(0.3f));
            field.bevel(well, 3, -0.3f);
        }
    // Fine lines between cells, where the turning corners are.
    for (int i = 1; i < cells; ++i) {
        field.fillRect(boardLeft + i * cell, boardTop, 1, cells * cell, palette::midBlue.lighter(0.05f));
        field.fillRect(boardLeft, boardTop + i * cell, cells * cell, 1, palette::midBlue.lighter(0.05f));
    }
}

// A rounded box with a thin orange frame, the look of every side panel.
void drawPanel(Raster& field, float left, float top, float width, float height) {
    const Shape box = Shape::box(left, top, width, height, 8);
    field.glow(box, Colour{0, 0, 0}, 6, 0.5f);
    field.verticalGradientShape(box, palette::midBlue.darker(0.2f), palette::deepBlue);
    field.fillShape(box.outline(1.5f), palette::orange.darker(0.1f));
}

// A label above a counter's digits: the well that the small digits fill exactly.
void drawCounter(Raster& field, int column, int digitsY, const std::string& name) {
    drawPanel(field, column - 8.0f, digitsY - 30.0f, columnWidth + 16.0f, 56);
    const Mask label = TextArt::fit(name, Typeface::sansBold, columnWidth - 8, 13, Crop::ink);
    LabelArt::centred(field, label, column + columnWidth / 2.0f, digitsY - 16.0f, palette::gold, palette::orange,
                      true);
    field.fillRect(column, digitsY - 4, columnWidth, 20, palette::panelBackground);
    field.fillShape(Shape::box(column - 0.5f, digitsY - 4.5f, columnWidth + 1.0f, 21, 2).outline(1),
                    palette::midBlue.lighter(0.15f));
}

void drawTimeTrough(Raster& field) {
    const Mask label = TextArt::fit(translate("Time"), Typeface::sansBold, 40, 12, Crop::ink);
    // Centred left of the trough, but a long word keeps clear of it.
    const float centre = std::min(timeBarLeft - 22.0f, timeBarLeft - 3.0f - label.width() / 2.0f);
    LabelArt::centred(field, label, centre, timeBarTop + timeBarHeight / 2.0f, palette::gold, palette::orange, true);
    const Shape trough = Shape::box(timeBarLeft - 3.0f, timeBarTop - 3.0f, timeBarWidth + 6.0f, timeBarHeight + 6.0f, 4);
    field.fillShape(trough, palette::orange.darker(0.2f));
    field.bevel(trough, 2, 0.4f);
    field.fillRect(timeBarLeft, timeBarTop, timeBarWidth, timeBarHeight, palette::nightBlue);
    // Quarter marks on the trough's frame.
    for (int q = 1; q < 4; ++q)
        field.fillRect(timeBarLeft + q * timeBarWidth / 4, timeBarTop + timeBarHeight + 1, 1, 2, palette::paleOrange);
}

void drawBonusFrame(Raster& field) {
    drawPanel(field, rightColumn - 8.0f, 100, columnWidth + 16.0f, 112);
    const Mask label = TextArt::fit(translate("Bonus colour"), Typeface::sansBold, columnWidth - 8, 13, Crop::ink);
    LabelArt::centred(field, label, rightColumn + columnWidth / 2.0f, 122, palette::gold, palette::orange, true);
    const Shape frame = Shape::box(bonusX - 7.0f, bonusY - 7.0f, blockSize + 14.0f, blockSize + 14.0f, 7);
    field.fillShape(frame, palette::cellDark);
    field.fillShape(frame.outline(1.5f), palette::paleOrange);
}

// What a match is, beside the board: four blocks of one colour on the corners of a tilted square.
void drawMatchExample(Raster& field) {
    drawPanel(field, rightColumn - 8.0f, 232, columnWidth + 16.0f, 178);
    const Mask title = TextArt::fit(translate("Make squares"), Typeface::sansBold, columnWidth, 13, Crop::ink);
    LabelArt::centred(field, title, rightColumn + columnWidth / 2.0f, 248, palette::gold, palette::orange, true);
    const float cx = rightColumn + columnWidth / 2.0f, cy = 312, step = 17;
    const Point corners[4] = {{cx - step, cy - 2 * step}, {cx + 2 * step, cy - step}, {cx + step, cy + 2 * step},
                              {cx - 2 * step, cy + step}};
    field.fillShape(Shape::polygon({corners[0], corners[1], corners[2], corners[3]}).outline(1.5f), Colour{1, 1, 1}, 0.8f);
    for (const Point& p : corners) drawBlock(field, p.x - 10, p.y - 10, 20, 3, 0);
    // Translators: three short lines (about 20 letters each) in a panel beside the board.
    const std::vector<std::string> lines =
        linesOf(translate("Four of a colour at the\ncorners of any square,\nstraight or tilted"));
    // Centred on the middle line of three, whatever the number.
    const float firstY = 378 - (float(lines.size()) - 1) * 8;
    for (size_t i = 0; i < lines.size(); ++i) {
        // The panel is columnWidth + 16 wide: the lines may use all but its margins.
        const Mask text = TextArt::within(lines[i], Typeface::sans, 13, Crop::line, columnWidth + 8).mask;
        LabelArt::centred(field, text, cx, firstY + float(i) * 16, palette::text, palette::text, false);
    }
}

// The essentials of play with the mouse, the keyboard and a game controller;
// the help lists every key.
void drawHowToPlay(Raster& field) {
    drawPanel(field, leftColumn - 8.0f, 250, columnWidth + 16.0f, 178);
    const Mask title = TextArt::fit(translate("How to play"), Typeface::sansBold, columnWidth, 13, Crop::ink);
    LabelArt::centred(field, title, leftColumn + columnWidth / 2.0f, 264, palette::gold, palette::orange, true);
    const std::pair<const char*, const char*> actions[] = {
        {translate("Turn left:"), translate("left button, Z, pad A")},
        {translate("Turn right:"), translate("right button, X, pad B")},
        {translate("Move the frame:"), translate("arrows, d-pad")},
        {translate("Show matches:"), translate("hold space or pad X")},
        {translate("Pause:"), translate("P, Esc, pad Start")}};
    const float centre = leftColumn + columnWidth / 2.0f;
    float y = 285;
    for (const auto& [action, controls] : actions) {
        LabelArt::line(field, action, Typeface::sansBold, 12, centre, y, columnWidth, palette::paleOrange,
                       palette::paleOrange);
        LabelArt::line(field, controls, Typeface::sans, 12, centre, y + 13, columnWidth, palette::text, palette::text);
        y += 28.5f;
    }
}

void drawButtonCorner(Raster& field) {
    // The sound (664, 441) and exit (670, 472) buttons sit on a plain ground,
    // in line with the panels above and clear of the board's frame. The logo
    // (647, 535, 148 x 53) starts left of this panel: its picture repeats the
    // field beneath it, so the panel's border shows through it unbroken.
    const Shape corner = Shape::box(rightColumn - 8.0f, 430, 145, 162, 10);
    field.fillShape(corner, palette::panelBackground);
    field.fillShape(corner.outline(1.5f), palette::orange.darker(0.1f));
}

void drawTitle(Raster& field) {
    const Mask name = TextArt::fit("Quadrimo", Typeface::serifBold, 200, 28, Crop::ink);
    LabelArt::centred(field, name.padded(2).dilated(1.5f), 400, 22, palette::nightBlue, palette::nightBlue, false);
    LabelArt::centred(field, name.padded(2), 400, 22, palette::paleOrange, palette::orange, false);
}

}  // namespace

Raster fieldRaster() {
    Raster field(800, 600);
    drawBackground(field);
    drawTitle(field);
    drawBoard(field);
    drawButtonCorner(field);
    drawTimeTrough(field);
    drawCounter(field, leftColumn, 50, translate("Level"));
    drawCounter(field, leftColumn, 130, translate("Removed"));
    drawCounter(field, leftColumn, 210, translate("Next level"));
    drawCounter(field, leftColumn, 470, translate("Combo"));
    drawCounter(field, leftColumn, 550, translate("Chain"));
    drawCounter(field, rightColumn, 50, translate("Score"));
    drawBonusFrame(field);
    drawHowToPlay(field);
    drawMatchExample(field);
    return field;
}

bool writeFieldPicture(const std::string& folder) {
    return writeBmp(folder + "/field.bmp", opaquePicture(fieldRaster(), palette::nightBlue));
}
