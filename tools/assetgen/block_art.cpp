// Drawing of the blocks: a bevelled, glossy tile with a symbol, and its burst.
#include "block_art.h"

#include <cmath>
#include <numbers>

#include "palette.h"

BlockSymbol symbolOf(int colourIndex) { return BlockSymbol(colourIndex % 8); }

Shape symbolShape(BlockSymbol symbol, float cx, float cy, float size) {
    const float h = size / 2;
    switch (symbol) {
    case BlockSymbol::circle:
        return Shape::circle(cx, cy, h * 0.9f);
    case BlockSymbol::square:
        return Shape::box(cx - h * 0.8f, cy - h * 0.8f, h * 1.6f, h * 1.6f, size * 0.06f);
    case BlockSymbol::triangle:
        return Shape::polygon({{cx, cy - h * 1.0f}, {cx + h * 1.0f, cy + h * 0.75f}, {cx - h * 1.0f, cy + h * 0.75f}});
    case BlockSymbol::diamond:
        return Shape::polygon({{cx, cy - h * 1.05f}, {cx + h * 0.8f, cy}, {cx, cy + h * 1.05f}, {cx - h * 0.8f, cy}});
    case BlockSymbol::star:
        return Shape::star(cx, cy + h * 0.08f, h * 1.08f, h * 0.46f, 5);
    case BlockSymbol::cross: {
        const float arm = h * 0.36f;
        return Shape::box(cx - h * 0.95f, cy - arm, h * 1.9f, arm * 2, 0)
            .unite(Shape::box(cx - arm, cy - h * 0.95f, arm * 2, h * 1.9f, 0));
    }
    case BlockSymbol::ring:
        return Shape::circle(cx, cy, h * 0.95f).subtract(Shape::circle(cx, cy, h * 0.45f));
    case BlockSymbol::heart:
        return Shape::heart(cx, cy + h * 0.05f, size * 1.05f);
    }
    return Shape::circle(cx, cy, h);
}

namespace {

// Light symbols on the darker tiles, dark symbols on the lighter ones; orange
// gets a dark symbol too, which keeps it apart from green and blue in grey.
Colour symbolColour(int colourIndex, const Colour& base) {
    const bool darkSymbol = colourIndex == 1 || colourIndex == 5 || colourIndex == 6 || colourIndex == 7;
    return darkSymbol ? base.darker(0.66f) : base.lighter(0.85f);
}

void drawTile(Raster& raster, float x, float y, float size, const Colour& base, float scale, float brighten) {
    const float cx = x + size / 2, cy = y + size / 2;
    const float inset = size * 0.04f;
    const float side = (size - 2 * inset) * scale;
    const Colour colour = base.lighter(brighten);
    const Shape tile = Shape::box(cx - side / 2, cy - side / 2, side, side, side * 0.2f);
    // A dark rim keeps the tile apart from its neighbours and from the board.
    raster.fillShape(tile.grown(0.6f), colour.darker(0.65f));
    raster.verticalGradientShape(tile, colour.lighter(0.28f), colour.darker(0.3f));
    raster.bevel(tile, side * 0.12f, 0.55f);
    // A soft gloss across the upper part.
    const Shape gloss = Shape::box(cx - side * 0.36f, cy - side * 0.43f, side * 0.72f, side * 0.3f, side * 0.15f);
    raster.verticalGradientShape(gloss, colour.lighter(0.75f), colour.lighter(0.2f));
}

void drawSymbol(Raster& raster, float x, float y, float size, int colourIndex, const Colour& base, float scale,
                float brighten) {
    const float cx = x + size / 2, cy = y + size / 2 + size * 0.02f;
    const Shape symbol = symbolShape(symbolOf(colourIndex), cx, cy, size * 0.5f * scale);
    const Colour ink = symbolColour(colourIndex, base).mix(Colour{1, 1, 1}, brighten);
    raster.fillShape(symbol.grown(size * 0.03f).moved(0, size * 0.02f), base.darker(0.5f), 0.5f);
    raster.fillShape(symbol, ink);
}

void drawSparks(Raster& raster, float cx, float cy, float size, const Colour& base, float reach, float sparkSize,
                float brighten) {
    for (int i = 0; i < 8; ++i) {
        const float angle = std::numbers::pi_v<float> * i / 4 + std::numbers::pi_v<float> / 8;
        const float sx = cx + std::cos(angle) * reach * size;
        const float sy = cy + std::sin(angle) * reach * size;
        const Shape spark = Shape::star(sx, sy, sparkSize * size, sparkSize * size * 0.4f, 4);
        raster.fillShape(spark, base.lighter(brighten));
    }
}

}  // namespace

void drawBlock(Raster& raster, float x, float y, float size, int colourIndex, int stage) {
    const Colour base = palette::blockColours[size_t(colourIndex % 8)];
    const float cx = x + size / 2, cy = y + size / 2;
    switch (stage) {
    case 0:
        drawTile(raster, x, y, size, base, 1.0f, 0.0f);
        drawSymbol(raster, x, y, size, colourIndex, base, 1.0f, 0.0f);
        break;
    case 1:
        raster.glow(Shape::box(cx - size * 0.4f, cy - size * 0.4f, size * 0.8f, size * 0.8f, size * 0.16f),
                    base.lighter(0.6f), size * 0.08f, 0.9f);
        drawTile(raster, x, y, size, base, 0.86f, 0.3f);
        drawSymbol(raster, x, y, size, colourIndex, base, 0.86f, 0.5f);
        break;
    case 2:
        raster.fillShape(Shape::circle(cx, cy, size * 0.44f).outline(size * 0.06f), base.lighter(0.5f));
        drawTile(raster, x, y, size, base, 0.62f, 0.6f);
        drawSymbol(raster, x, y, size, colourIndex, base, 0.62f, 0.9f);
        break;
    case 3:
        drawSparks(raster, cx, cy, size, base, 0.3f, 0.13f, 0.5f);
        raster.fillShape(Shape::star(cx, cy, size * 0.26f, size * 0.09f, 4), base.lighter(0.85f));
        break;
    default:
        drawSparks(raster, cx, cy, size, base, 0.42f, 0.07f, 0.2f);
        raster.fillShape(Shape::circle(cx, cy, size * 0.06f), base.lighter(0.6f));
        break;
    }
}
