// The title screen and its five menu buttons, and the maker's logo: large on
// the splash with its tagline, small as the button beside the board.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "app/language.h"
#include "block_art.h"
#include "label_art.h"
#include "palette.h"
#include "picture_files.h"
#include "pictures.h"

namespace {

// The buttons stand in a column, centred, at these heights; the menu plate behind them.
constexpr float menuLeft = 318, menuTop = 200, menuWidth = 164, menuHeight = 300;

// A corner of a board, dealt so that four blocks of one colour stand at the
// corners of a tilted square, outlined as the game outlines a match.
void drawBoardHint(Raster& title, float left, float top, float cellSize, const int (&colours)[4][4],
                   const Point (&match)[4]) {
    const Shape plate = Shape::box(left - 6, top - 6, cellSize * 4 + 12, cellSize * 4 + 12, 8);
    title.fillShape(plate, palette::nightBlue, 0.7f);
    title.fillShape(plate.outline(2), palette::orange.darker(0.3f), 0.8f);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            drawBlock(title, left + c * cellSize + cellSize * 0.1f, top + r * cellSize + cellSize * 0.1f,
                      cellSize * 0.8f, colours[r][c], 0);
    std::vector<Point> corners;
    for (const Point& p : match) corners.push_back({left + (p.x + 0.5f) * cellSize, top + (p.y + 0.5f) * cellSize});
    title.fillShape(Shape::polygon(corners).outline(2.5f), Colour{1, 1, 1}, 0.9f);
}

// The turning 2 x 2 group: four blocks and a curved arrow round them.
void drawTurningGroup(Raster& title, float cx, float cy, float size) {
    const float half = size / 2;
    const int colours[4] = {3, 0, 2, 1};
    for (int i = 0; i < 4; ++i) {
        // Turned a little, as in the middle of a quarter turn.
        Raster block(int(half) + 2, int(half) + 2);
        drawBlock(block, 1, 1, half, colours[i], 0);
        const float angle = std::numbers::pi_v<float> / 4 + std::numbers::pi_v<float> / 2 * i - 0.25f;
        const float bx = cx + std::cos(angle) * half * 0.78f - half / 2;
        const float by = cy + std::sin(angle) * half * 0.78f - half / 2;
        title.paintRaster(block, int(bx), int(by));
    }
    const float radius = size * 0.82f;
    const Shape arc = Shape::circle(cx, cy, radius)
                          .outline(size * 0.06f)
                          .subtract(Shape::box(cx - radius * 1.2f, cy - radius * 1.2f, radius * 1.2f, radius * 1.2f, 0));
    title.fillShape(arc, palette::gold);
    const float tipX = cx - radius, tipY = cy + size * 0.02f;
    title.fillShape(Shape::polygon({{tipX - size * 0.13f, tipY}, {tipX + size * 0.13f, tipY}, {tipX, tipY - size * 0.17f}}),
                    palette::gold);
}

// The game's name, large, in warm gold with a dark outline and a glow.
void drawName(Raster& title) {
    const Mask name = TextArt::fit("Quadrimo", Typeface::serifBold, 560, 110, Crop::ink);
    const Mask padded = name.padded(8);
    const Mask outline = padded.dilated(4);
    const float cx = 400, cy = 110;
    LabelArt::centred(title, outline.blurred(4), cx, cy + 2, palette::orange, palette::orange, false);
    LabelArt::centred(title, outline, cx, cy, palette::nightBlue, palette::nightBlue, false);
    LabelArt::centred(title, padded, cx, cy, palette::paleOrange.lighter(0.4f), palette::orange, false);
}

bool writeTitle(const std::string& folder) {
    Raster title(800, 600);
    // A soft light behind the name and the menu.
    title.radialGradientShape(Shape::box(0, 0, 800, 600, 0), 400, 260, 560, palette::midBlue.lighter(0.15f),
                              palette::nightBlue);
    // Glints of matches: tilted squares of thin gold lines.
    for (int i = 0; i < 5; ++i) {
        const float cx = 80 + i * 160.0f, cy = 560, r = 40 + 8.0f * i;
        title.fillShape(Shape::polygon({{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}}).outline(1.5f),
                        palette::orange, 0.2f);
    }
    const int left[4][4] = {{3, 0, 5, 1}, {5, 2, 3, 0}, {0, 6, 4, 3}, {2, 3, 0, 6}};
    drawBoardHint(title, 60, 250, 46, left, {{1, 0}, {3, 1}, {2, 3}, {0, 2}});
    const int right[4][4] = {{6, 4, 0, 7}, {1, 0, 5, 0}, {7, 2, 0, 3}, {4, 5, 1, 4}};
    drawBoardHint(title, 556, 250, 46, right, {{1, 1}, {2, 0}, {3, 1}, {2, 2}});
    drawTurningGroup(title, 400, 548, 52);
    drawName(title);
    // The plate behind the menu: the buttons' own ground, so they sit on it seamlessly.
    const Shape plate = Shape::box(menuLeft, menuTop, menuWidth, menuHeight, 14);
    title.glow(plate, Colour{0, 0, 0}, 10, 0.7f);
    title.fillShape(plate, palette::panelBackground);
    title.fillShape(plate.outline(2), palette::orange);
    return writeBmp(folder + "/title.bmp", opaquePicture(title, palette::nightBlue));
}

bool writeMenuButton(const std::string& folder, const char* file, const char* text, int width, int frameHeight,
                     int cellHeight) {
    return writeBmp(folder + "/" + file,
                    opaquePicture(LabelArt::buttonStrip(text, width, frameHeight, cellHeight, palette::panelBackground),
                                  palette::panelBackground));
}

// The maker's name as a logo: four small blocks in a 2 x 2 group and "Zentrio".
void drawMakerMark(Raster& raster, float left, float cy, float height) {
    const float b = height * 0.46f;
    const int colours[4] = {7, 3, 2, 0};
    for (int i = 0; i < 4; ++i) drawBlock(raster, left + (i % 2) * b, cy - b + (i / 2) * b, b, colours[i], 0);
    const float textLeft = left + b * 2 + height * 0.15f;
    const Mask name = TextArt::fit("Zentrio", Typeface::sansBold, int(raster.width() - textLeft) - 4, int(height * 0.62f),
                                   Crop::ink);
    LabelArt::centred(raster, name, textLeft + name.width() / 2.0f, cy, palette::paleOrange, palette::orange, true);
}

bool writeCompany(const std::string& folder) {
    Raster logo(280, 90);
    logo.fill(Colour{0, 0, 0});
    drawMakerMark(logo, 22, 40, 62);
    const Mask tagline = TextArt::fit(translate("puzzles made with care"), Typeface::sans, 200, 11, Crop::ink);
    LabelArt::centred(logo, tagline, 140, 80, palette::text.darker(0.2f), palette::text.darker(0.2f), false);
    return writeBmp(folder + "/company.bmp", opaquePicture(logo, Colour{0, 0, 0}));
}

// The small logo button beside the board, normal above highlighted. Both
// frames start as the field beneath the button, so its edges blend into the
// corner panel and the panel's border; the mark and the highlight stay
// inside that border.
bool writeLogoButton(const std::string& folder) {
    constexpr int left = 647, top = 535, width = 148, frameHeight = 53;
    // Over the colour the field is flattened onto, so the pixels come out the same.
    Raster ground(width, frameHeight);
    ground.fill(palette::nightBlue);
    ground.paintRaster(fieldRaster(), -left, -top);
    Raster strip(width, frameHeight * 2);
    for (int frame = 0; frame < 2; ++frame) {
        const bool highlighted = frame == 1;
        Raster face = ground;  // each frame on its own, so no glow reaches the other
        if (highlighted) {
            const Shape box = Shape::box(12, 6, 131, frameHeight - 12, 8);
            face.glow(box, palette::orange, 2, 0.6f);
            face.fillShape(box, palette::midBlue);
            face.fillShape(box.outline(1.5f), palette::gold);
        }
        Raster mark(128, frameHeight - 8);
        drawMakerMark(mark, 4, (frameHeight - 8) / 2.0f, frameHeight - 14.0f);
        face.paintRaster(mark, 13, 4, highlighted ? 1.0f : 0.85f);
        strip.paintRaster(face, 0, frame * frameHeight);
    }
    return writeBmp(folder + "/logo.bmp", opaquePicture(strip, palette::panelBackground));
}

}  // namespace

bool writeTitlePictures(const std::string& folder) {
    const bool ok = writeTitle(folder);
    return writeLogoButton(folder) && ok;
}

bool writeMenuPictures(const std::string& folder) {
    bool ok = writeMenuButton(folder, "start.bmp", translate("Start"), 83, 38, 28);
    ok = writeMenuButton(folder, "highscores.bmp", translate("High scores"), 102, 28, 17) && ok;
    ok = writeMenuButton(folder, "options.bmp", translate("Options"), 73, 28, 17) && ok;
    ok = writeMenuButton(folder, "help.bmp", translate("Help"), 44, 28, 17) && ok;
    // On the title, Exit ends the program.
    ok = writeMenuButton(folder, "exit.bmp", translate("title screen", "Exit"), 44, 28, 17) && ok;
    ok = writeCompany(folder) && ok;
    return ok;
}
