// The labels and buttons of the panels (end of game, high scores, options)
// and the sound and exit buttons beside the board. Panels are 0x000022.
#include <string>
#include <vector>

#include "app/language.h"
#include "label_art.h"
#include "palette.h"
#include "picture_files.h"
#include "pictures.h"

namespace {

bool saveOpaque(const std::string& folder, const char* file, const Raster& raster) {
    return writeBmp(folder + "/" + file, opaquePicture(raster, palette::panelBackground));
}

// One line of text filling its picture, on the panel's ground.
Raster heading(const std::string& text, int width, int height, const Colour& top, const Colour& bottom) {
    Raster picture(width, height);
    picture.fill(palette::panelBackground);
    const Mask mask = TextArt::fit(text, Typeface::sansBold, width - 1, height, Crop::ink);
    LabelArt::centred(picture, mask, width / 2.0f, height / 2.0f, top, bottom, false);
    return picture;
}

// Lines of text centred on x, the first line's middle at firstY, step apart.
void paragraph(Raster& picture, const std::string& text, float x, float firstY, float step, int maxWidth,
               const Colour& ink) {
    const std::vector<Mask> lines = TextArt::fitLines(linesOf(text), Typeface::sans, maxWidth, 13, Crop::line);
    for (size_t i = 0; i < lines.size(); ++i) LabelArt::centred(picture, lines[i], x, firstY + float(i) * step, ink, ink, false);
}

Raster congratulations() {
    Raster picture(263, 64);
    picture.fill(palette::panelBackground);
    const Mask title = TextArt::fit(translate("Congratulations!"), Typeface::sansBold, 250, 24, Crop::ink);
    LabelArt::centred(picture, title, 131.5f, 16, palette::paleOrange.lighter(0.4f), palette::orange, true);
    // Translators: two lines of at most about 40 letters each.
    paragraph(picture, translate("Your score is among the ten best.\nType your name and press OK."), 131.5f, 40, 16,
              255, palette::text);
    return picture;
}

Raster tip() {
    Raster picture(342, 30);
    picture.fill(palette::panelBackground);
    // Translators: two lines of at most about 50 letters each.
    paragraph(picture, translate("Tip: hold the space bar to outline every\nmatch that one turn could make."), 171, 7.5f,
              15, 340, palette::paleOrange);
    return picture;
}

// A loudspeaker, with sound waves when on and a cross when off.
void drawSpeaker(Raster& raster, float left, float cy, float height, bool on, const Colour& ink) {
    const float h = height / 2;
    raster.fillShape(Shape::polygon({{left, cy - h * 0.35f},
                                     {left + h * 0.45f, cy - h * 0.35f},
                                     {left + h * 1.05f, cy - h * 0.9f},
                                     {left + h * 1.05f, cy + h * 0.9f},
                                     {left + h * 0.45f, cy + h * 0.35f},
                                     {left, cy + h * 0.35f}}),
                     ink);
    const float x = left + h * 1.2f;
    if (on) {
        for (int i = 1; i <= 2; ++i) {
            const float r = h * 0.45f * i;
            raster.fillShape(Shape::circle(x, cy, r).outline(1.2f).subtract(Shape::box(x - r - 2, cy - r - 2, r + 2, 2 * r + 4, 0)),
                             ink);
        }
    } else {
        raster.fillShape(Shape::segment({x + h * 0.2f, cy - h * 0.45f}, {x + h * 0.95f, cy + h * 0.45f}, 1.6f), ink);
        raster.fillShape(Shape::segment({x + h * 0.2f, cy + h * 0.45f}, {x + h * 0.95f, cy - h * 0.45f}, 1.6f), ink);
    }
}

// Frames: on, on highlighted, off, off highlighted. Black is transparent, so
// the button shows the panel or the field's quiet corner through it.
Raster soundButton() {
    constexpr int width = 104, frameHeight = 17;
    // Both at one size, so that switching does not make the text jump.
    const std::vector<Mask> labels =
        TextArt::fitLines({translate("Sound on"), translate("Sound off")}, Typeface::sansBold, 70, 11, Crop::ink);
    Raster strip(width, frameHeight * 4);
    for (int frame = 0; frame < 4; ++frame) {
        const bool on = frame < 2;
        const bool highlighted = frame % 2 == 1;
        const float top = float(frame * frameHeight);
        const Colour ink = highlighted ? palette::gold.lighter(0.3f) : palette::text;
        if (highlighted) {
            const Shape face = Shape::box(0.5f, top + 0.5f, width - 1.0f, frameHeight - 1.0f, 8);
            strip.verticalGradientShape(face, palette::midBlue.lighter(0.1f), palette::midBlue.darker(0.3f));
            strip.fillShape(face.outline(1), palette::gold);
        }
        drawSpeaker(strip, 8, top + frameHeight / 2.0f, 12, on, ink);
        const Mask& text = labels[on ? 0 : 1];
        strip.paintMask(text, 29, int(top) + (frameHeight - text.height()) / 2, ink);
    }
    return strip;
}

}  // namespace

bool writePanelPictures(const std::string& folder) {
    bool ok = saveOpaque(folder, "gameover.bmp", heading(translate("Game over"), 81, 12, palette::gold, palette::orange));
    ok = saveOpaque(folder, "name.bmp", heading(translate("Name"), 39, 11, palette::gold, palette::orange)) && ok;
    ok = saveOpaque(folder, "score.bmp", heading(translate("Score"), 42, 12, palette::gold, palette::orange)) && ok;
    ok = saveOpaque(folder, "congratulations.bmp", congratulations()) && ok;
    ok = saveOpaque(folder, "tips.bmp", tip()) && ok;
    ok = saveOpaque(folder, "ok.bmp", LabelArt::buttonStrip(translate("OK"), 22, 12, 11, palette::panelBackground)) && ok;
    ok = saveOpaque(folder, "resetscores.bmp",
                    LabelArt::buttonStrip(translate("Reset scores"), 96, 12, 11, palette::panelBackground)) && ok;
    // Beside the board, Exit leaves the game for the title.
    ok = saveOpaque(folder, "exit2.bmp",
                    LabelArt::buttonStrip(translate("game screen", "Exit"), 54, 16, 14, palette::panelBackground)) && ok;
    ok = writeBmp(folder + "/sound.bmp", keyedPicture(soundButton(), palette::panelBackground)) && ok;
    return ok;
}
