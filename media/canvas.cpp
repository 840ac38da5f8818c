// Filled rectangles, lines and text on the back buffer; colours are 0xRRGGBB.
#include "app/application.h"

#include <cstdio>
#include <cstring>

#include "platform/drawing/draw_context.h"
#include "platform/drawing/font.h"
#include "platform/drawing/pen.h"
#include "platform/drawing/surface.h"

namespace {

// 0xRRGGBB into the device context's 0x00BBGGRR order.
uint32_t contextColour(const uint32_t& colour) {
    return ((colour & 0xFF) << 16) | ((colour >> 16) & 0xFF) | (colour & 0xFF00);
}

int alignmentFormat(const int& alignment) {
    if (alignment == 1) return platform::TEXT_CENTER;
    if (alignment == 2) return platform::TEXT_RIGHT;
    return platform::TEXT_LEFT;
}

int boundedLength(const char* const& text, const int& length) {
    if (text == nullptr || length <= 0) return 0;
    const void* end = std::memchr(text, '\0', static_cast<size_t>(length));
    return end != nullptr ? static_cast<int>(static_cast<const char*>(end) - text) : length;
}

}  // namespace

bool Application::fillRect(const int& x, const int& y, const int& width_, const int& height_, const uint32_t& colour) {
    if (backBuffer == nullptr) return false;
    uint32_t value = 0;
    if (bitsPerPixel == 32) {
        value = colour | 0xFF000000u;
    } else if (bitsPerPixel == 24) {
        value = colour;
    } else if (bitsPerPixel == 16) {
        const uint32_t red = ((colour >> 16) & 0xFF) * 31 / 255;
        const uint32_t green = ((colour >> 8) & 0xFF) * 63 / 255;
        const uint32_t blue = (colour & 0xFF) * 31 / 255;
        value = (red << 11) | (green << 5) | blue;
    }
    return backBuffer->fill(platform::Rect{x, y, x + width_, y + height_}, value);
}

bool Application::beginDraw() {
    if (backBuffer == nullptr || backBufferDC != nullptr) return false;
    backBufferDC = platform::DrawContext::acquire(*backBuffer);
    return backBufferDC != nullptr;
}

bool Application::endDraw() {
    delete backBufferDC;
    backBufferDC = nullptr;
    return true;
}

bool Application::setPen(const int& penWidth, const uint32_t& colour) {
    // A pen still selected would be lost along with the one it replaced.
    if (pen != nullptr) releasePen();
    pen = new platform::Pen(penWidth, contextColour(colour));
    if (backBufferDC != nullptr) previousPen = backBufferDC->selectPen(pen);
    return true;
}

bool Application::releasePen() {
    if (backBufferDC != nullptr) backBufferDC->selectPen(previousPen);
    delete pen;
    pen = nullptr;
    return true;
}

bool Application::drawLine(const int& x1, const int& y1, const int& x2, const int& y2) {
    if (backBufferDC == nullptr) return true;
    backBufferDC->moveTo(x1, y1);
    backBufferDC->lineTo(x2, y2);
    return true;
}

bool Application::setFont(const char* const& face, const int& fontHeight, const uint32_t& colour) {
    // A font still selected would be lost along with the one it replaced.
    if (font != nullptr) releaseFont();
    font = new platform::Font(face, fontHeight);
    if (backBufferDC != nullptr) {
        backBufferDC->setTransparentBackground(true);
        backBufferDC->setTextColour(contextColour(colour));
        previousFont = backBufferDC->selectFont(font);
    }
    return true;
}

bool Application::releaseFont() {
    if (backBufferDC != nullptr) backBufferDC->selectFont(previousFont);
    delete font;
    font = nullptr;
    return true;
}

bool Application::drawText(const int& left, const int& top, const int& right, const int& bottom, const int& alignment,
                           const char* const& text) {
    if (backBufferDC == nullptr || text == nullptr) return true;
    backBufferDC->drawText(text, static_cast<int>(std::strlen(text)), platform::Rect{left, top, right, bottom},
                           alignmentFormat(alignment));
    return true;
}

bool Application::drawUtf8Text(const int& left, const int& top, const int& right, const int& bottom,
                               const int& alignment, const char* const& text) {
    if (backBufferDC == nullptr || text == nullptr) return true;
    backBufferDC->drawText(text, static_cast<int>(std::strlen(text)), platform::Rect{left, top, right, bottom},
                           alignmentFormat(alignment), platform::TextEncoding::utf8);
    return true;
}

bool Application::drawNumber(const int& left, const int& top, const int& right, const int& bottom,
                             const int& alignment, const uint32_t& value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(value));
    const char* text = digits;
    return drawText(left, top, right, bottom, alignment, text);
}

bool Application::measureText(const char* const& text, const int& length, const char* const& face,
                              const int& fontHeight, int& outWidth, int& outHeight) {
    outWidth = 0;
    outHeight = 0;
    const int count = boundedLength(text, length);
    if (beginDraw()) {
        setFont(face, fontHeight, 0);
        backBufferDC->textExtent(text, count, outWidth, outHeight);
        releaseFont();
        endDraw();
        return true;
    }
    // Without the back buffer's context the font alone still knows the size.
    const platform::Font measuring(face, fontHeight);
    measuring.rasterizer().measure(text, count, outWidth, outHeight);
    return true;
}
