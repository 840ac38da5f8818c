// Text rendering with the installed fonts: a face name is resolved through
// fontconfig and its glyphs rendered with smooth edges into an 8-bit coverage
// bitmap. Heights follow the Windows convention: a positive height is the
// cell height (ascent plus descent), a negative one the character height.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Rendered text: one coverage byte per pixel, 0 (untouched) to 255 (fully
// covered), rows of `width` bytes from the top of the text cell.
struct TextCoverage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// How the bytes of a text are read: Latin-1, as the player's names are
// stored, or UTF-8, as the translations are written.
enum class TextEncoding { latin1, utf8 };

class FontRasterizer {
public:
    // Opens the installed font closest to face (any sans-serif font when
    // nothing closer can be opened). Check isOpen before use.
    FontRasterizer(const char* face, int height, bool bold = false);
    FontRasterizer(const FontRasterizer&) = delete;
    FontRasterizer& operator=(const FontRasterizer&) = delete;
    ~FontRasterizer();

    bool isOpen() const { return font_ != nullptr; }
    // The cell height in pixels: ascent plus descent.
    int cellHeight() const { return ascent_ + descent_; }
    int ascent() const { return ascent_; }

    // Size of the first length bytes of text: the advance width and the cell
    // height. Zero length gives width 0.
    bool measure(const char* text, int length, int& width, int& height,
                 TextEncoding encoding = TextEncoding::latin1) const;
    // Renders the first length bytes of text with the cell's top at row 0;
    // out is width x cellHeight. False (and out empty) when no font is open;
    // empty text renders to an empty bitmap and succeeds.
    bool render(const char* text, int length, TextCoverage& out, TextEncoding encoding = TextEncoding::latin1) const;
    // Whether the font has a glyph for every character of the UTF-8 text.
    bool hasGlyphs(const std::string& utf8) const;

    // The font file fontconfig picks for a face name, or "" when none.
    static std::string resolveFontFile(const char* face, bool bold);

    // A shared, cached font for repeated drawing; never null, but may be
    // closed when no font at all is installed.
    static std::shared_ptr<const FontRasterizer> shared(const char* face, int height);

private:
    bool open(const std::string& file, int height);

    void* font_ = nullptr;
    int ascent_ = 0;
    int descent_ = 0;
};

}  // namespace platform
