// Lines and smooth text drawn into a locked surface's pixels.
#include "platform/drawing/draw_context.h"

#include <cstdlib>

#include "platform/drawing/font.h"
#include "platform/drawing/pen.h"
#include "platform/drawing/surface.h"

namespace platform {

namespace {

constexpr uint32_t black = 0x000000;
constexpr uint32_t white = 0xFFFFFF;
constexpr int defaultFontHeight = 16;

int redOf(uint32_t colour) { return static_cast<int>(colour & 0xFF); }
int greenOf(uint32_t colour) { return static_cast<int>((colour >> 8) & 0xFF); }
int blueOf(uint32_t colour) { return static_cast<int>((colour >> 16) & 0xFF); }

}  // namespace

DrawContext* DrawContext::acquire(Surface& surface) {
    uint8_t* pixels = nullptr;
    int pitch = 0;
    if (!surface.lock(Rect{0, 0, surface.width(), surface.height()}, pixels, pitch)) return nullptr;
    return new DrawContext(surface, pixels, pitch);
}

DrawContext::DrawContext(Surface& surface, uint8_t* pixels, int pitch)
    : surface_(surface), pixels_(pixels), pitch_(pitch),
      area_(surface.clipFor(Rect{0, 0, surface.width(), surface.height()})) {}

DrawContext::~DrawContext() { surface_.unlock(); }

Pen* DrawContext::selectPen(Pen* pen) {
    Pen* previous = pen_;
    pen_ = pen;
    return previous;
}

Font* DrawContext::selectFont(Font* font) {
    Font* previous = font_;
    font_ = font;
    return previous;
}

const FontRasterizer& DrawContext::currentFont() const {
    if (font_ != nullptr) return font_->rasterizer();
    static const auto fallback = FontRasterizer::shared("sans-serif", defaultFontHeight);
    return *fallback;
}

void DrawContext::moveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
}

void DrawContext::lineTo(int x, int y) {
    const int width = pen_ != nullptr ? pen_->width() : 1;
    const uint32_t colour = pen_ != nullptr ? pen_->colour() : black;
    int px = currentX_;
    int py = currentY_;
    const int dx = std::abs(x - px);
    const int dy = -std::abs(y - py);
    const int stepX = px < x ? 1 : -1;
    const int stepY = py < y ? 1 : -1;
    int error = dx + dy;
    while (px != x || py != y) {
        stamp(px, py, width, colour);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            px += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            py += stepY;
        }
    }
    // A one-pixel line leaves its end point out; a wide pen's round end
    // covers it.
    if (width > 1) stamp(x, y, width, colour);
    moveTo(x, y);
}

void DrawContext::stamp(int x, int y, int size, uint32_t colour) {
    const int left = x - size / 2;
    const int top = y - size / 2;
    for (int row = top; row < top + size; ++row) {
        for (int col = left; col < left + size; ++col) setPixel(col, row, colour);
    }
}

void DrawContext::setPixel(int x, int y, uint32_t colour) { blendPixel(x, y, colour, 255); }

void DrawContext::blendPixel(int x, int y, uint32_t colour, int coverage) {
    if (x < area_.left || y < area_.top || x >= area_.right || y >= area_.bottom || coverage <= 0) return;
    uint8_t* p = pixels_ + static_cast<size_t>(y) * pitch_ + static_cast<size_t>(x) * surface_.bytesPerPixel();
    int red = redOf(colour);
    int green = greenOf(colour);
    int blue = blueOf(colour);
    const bool sixteen = surface_.bitsPerPixel() == 16;
    if (coverage < 255) {
        int oldRed;
        int oldGreen;
        int oldBlue;
        if (sixteen) {
            const int value = p[0] | (p[1] << 8);
            oldRed = ((value >> 11) & 0x1F) * 255 / 31;
            oldGreen = ((value >> 5) & 0x3F) * 255 / 63;
            oldBlue = (value & 0x1F) * 255 / 31;
        } else {
            oldBlue = p[0];
            oldGreen = p[1];
            oldRed = p[2];
        }
        red = (red * coverage + oldRed * (255 - coverage) + 127) / 255;
        green = (green * coverage + oldGreen * (255 - coverage) + 127) / 255;
        blue = (blue * coverage + oldBlue * (255 - coverage) + 127) / 255;
    }
    if (sixteen) {
        const int value = ((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3);
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
        return;
    }
    // The fourth byte of a 32-bit pixel is left as it was.
    p[0] = static_cast<uint8_t>(blue);
    p[1] = static_cast<uint8_t>(green);
    p[2] = static_cast<uint8_t>(red);
}

void DrawContext::drawText(const char* text, int length, const Rect& rect, int format, TextEncoding encoding) {
    if (text == nullptr || length <= 0) return;
    const int cell = currentFont().cellHeight();
    int top = rect.top;
    int start = 0;
    // Each line break (CR, LF or CR LF) starts a new line one cell lower.
    for (int i = 0; i <= length; ++i) {
        const bool end = i == length || text[i] == '\0';
        if (!end && text[i] != '\n' && text[i] != '\r') continue;
        drawTextLine(text + start, i - start, rect, top, format, encoding);
        if (end) break;
        if (text[i] == '\r' && i + 1 < length && text[i + 1] == '\n') ++i;
        start = i + 1;
        top += cell;
        if (cell <= 0 || top >= rect.bottom) break;
    }
}

void DrawContext::drawTextLine(const char* text, int length, const Rect& rect, int top, int format,
                               TextEncoding encoding) {
    const FontRasterizer& font = currentFont();
    TextCoverage coverage;
    if (length <= 0 || !font.render(text, length, coverage, encoding)) return;
    int width = 0;
    int height = 0;
    font.measure(text, length, width, height, encoding);
    int left = rect.left;
    if (format == TEXT_CENTER) left = rect.left + (rect.width() - width) / 2;
    if (format == TEXT_RIGHT) left = rect.right - width;
    const Rect clip = intersect(rect, area_);
    const Rect box = intersect(clip, Rect{left, top, left + width, top + coverage.height});
    if (!transparentBackground_) {
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) setPixel(x, y, white);
        }
    }
    const Rect drawn = intersect(clip, Rect{left, top, left + coverage.width, top + coverage.height});
    for (int y = drawn.top; y < drawn.bottom; ++y) {
        for (int x = drawn.left; x < drawn.right; ++x) blendPixel(x, y, textColour_, coverage.at(x - left, y - top));
    }
}

bool DrawContext::textExtent(const char* text, int length, int& width, int& height) const {
    return currentFont().measure(text, length, width, height);
}

}  // namespace platform
