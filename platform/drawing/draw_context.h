// A device context on a surface: pens, lines, fonts and text drawn straight
// into the surface's pixels. While it exists the surface is locked, so blits
// and fills into it fail, as they do while the platform's context is held.
#pragma once

#include <cstdint>

#include "platform/drawing/font_rasterizer.h"
#include "platform/drawing/rect.h"

namespace platform {

class Surface;
class Pen;
class Font;

// Text placement flags, with the platform's values.
constexpr int TEXT_LEFT = 0;
constexpr int TEXT_CENTER = 1;
constexpr int TEXT_RIGHT = 2;

class DrawContext {
public:
    // A context on surface, or nullptr when it is lost or already busy.
    static DrawContext* acquire(Surface& surface);
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;
    ~DrawContext();

    // Each returns what was selected before; null stands for the defaults
    // (a black pen one pixel wide, a plain sans-serif font).
    Pen* selectPen(Pen* pen);
    Font* selectFont(Font* font);

    // Colours in 0x00BBGGRR order.
    void setTextColour(uint32_t colour) { textColour_ = colour; }
    // Opaque text first fills its cells with the background colour (white).
    void setTransparentBackground(bool transparent) { transparentBackground_ = transparent; }

    void moveTo(int x, int y);
    // Draws from the current position up to, but not including, (x, y),
    // which becomes the current position.
    void lineTo(int x, int y);

    // Draws the first length bytes of text inside rect, line by line from its
    // top, placed by format (TEXT_LEFT, TEXT_CENTER or TEXT_RIGHT) and
    // clipped to rect.
    void drawText(const char* text, int length, const Rect& rect, int format,
                  TextEncoding encoding = TextEncoding::latin1);
    // The width of the first length bytes of text and the font's cell height.
    bool textExtent(const char* text, int length, int& width, int& height) const;

private:
    DrawContext(Surface& surface, uint8_t* pixels, int pitch);

    const FontRasterizer& currentFont() const;
    void stamp(int x, int y, int size, uint32_t colour);
    void setPixel(int x, int y, uint32_t colour);
    void blendPixel(int x, int y, uint32_t colour, int coverage);
    void drawTextLine(const char* text, int length, const Rect& rect, int top, int format, TextEncoding encoding);

    Surface& surface_;
    uint8_t* pixels_;
    int pitch_;
    // Where it may draw: the surface cut to its clip.
    Rect area_;
    Pen* pen_ = nullptr;
    Font* font_ = nullptr;
    uint32_t textColour_ = 0;
    bool transparentBackground_ = false;
    int currentX_ = 0;
    int currentY_ = 0;
};

}  // namespace platform
