// Font lookup through fontconfig and glyph rendering through SDL_ttf.
#include "platform/drawing/font_rasterizer.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "platform/reports/file_report.h"

namespace platform {

namespace {

TTF_Font* asFont(void* font) { return static_cast<TTF_Font*>(font); }

// The bytes up to length or the first zero, as UTF-8.
std::string asUtf8(const char* text, int length, TextEncoding encoding) {
    std::string out;
    if (text == nullptr) return out;
    if (encoding == TextEncoding::utf8) {
        for (int i = 0; i < length && text[i] != '\0'; ++i) out += text[i];
        return out;
    }
    for (int i = 0; i < length && text[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Used when a height of zero asks for the default size.
constexpr int defaultCellHeight = 16;
// The size at which a face's cell-to-em ratio is measured.
constexpr int probeSize = 64;

}  // namespace

FontRasterizer::FontRasterizer(const char* face, int height, bool bold) {
    if (TTF_Init() != 0) return;
    if (open(resolveFontFile(face, bold), height)) return;
    if (open(resolveFontFile("sans-serif", false), height)) return;
    reportUnusableFile("font", face != nullptr && face[0] != '\0' ? face : "sans-serif",
                       "fontconfig finds no usable font of that name, nor any sans-serif one");
}

FontRasterizer::~FontRasterizer() {
    if (font_ != nullptr) TTF_CloseFont(asFont(font_));
    TTF_Quit();
}

bool FontRasterizer::open(const std::string& file, int height) {
    if (file.empty()) return false;
    TTF_Font* font = TTF_OpenFont(file.c_str(), probeSize);
    if (font == nullptr) return false;
    if (height == 0) height = defaultCellHeight;
    // A negative height is the em size itself; a positive one is the whole
    // cell, so the em size is scaled down by the face's cell-to-em ratio.
    int emSize = -height;
    if (height > 0) {
        const int probeCell = TTF_FontAscent(font) - TTF_FontDescent(font);
        emSize = probeCell > 0 ? (height * probeSize + probeCell / 2) / probeCell : height;
    }
    if (emSize < 1) emSize = 1;
    if (TTF_SetFontSize(font, emSize) != 0) {
        TTF_CloseFont(font);
        return false;
    }
    if (height > 0 && emSize > 1 && TTF_FontAscent(font) - TTF_FontDescent(font) > height) {
        TTF_SetFontSize(font, emSize - 1);
    }
    font_ = font;
    ascent_ = TTF_FontAscent(font);
    descent_ = height > 0 ? std::max(0, height - ascent_) : -TTF_FontDescent(font);
    return true;
}

bool FontRasterizer::measure(const char* text, int length, int& width, int& height, TextEncoding encoding) const {
    width = 0;
    height = cellHeight();
    if (font_ == nullptr) return false;
    const std::string utf8 = asUtf8(text, length, encoding);
    if (utf8.empty()) return true;
    int w = 0;
    int h = 0;
    if (TTF_SizeUTF8(asFont(font_), utf8.c_str(), &w, &h) != 0) return false;
    width = w;
    return true;
}

bool FontRasterizer::render(const char* text, int length, TextCoverage& out, TextEncoding encoding) const {
    out = TextCoverage{};
    if (font_ == nullptr) return false;
    const std::string utf8 = asUtf8(text, length, encoding);
    out.height = cellHeight();
    if (utf8.empty()) return true;
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(asFont(font_), utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (glyphs == nullptr) return false;
    SDL_Surface* argb = glyphs;
    if (glyphs->format->format != SDL_PIXELFORMAT_ARGB8888) {
        argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(glyphs);
        if (argb == nullptr) return false;
    }
    out.width = argb->w;
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
    const int rows = std::min(out.height, argb->h);
    for (int y = 0; y < rows; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                            static_cast<size_t>(y) * argb->pitch);
        for (int x = 0; x < out.width; ++x) out.pixels[static_cast<size_t>(y) * out.width + x] = row[x] >> 24;
    }
    SDL_FreeSurface(argb);
    return true;
}

bool FontRasterizer::hasGlyphs(const std::string& utf8) const {
    if (font_ == nullptr) return false;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= utf8.size()) return false;
        uint32_t character = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            character = (character << 6) | (next & 0x3F);
        }
        i += static_cast<size_t>(extra) + 1;
        // Line breaks are layout, not glyphs.
        if (character >= 0x20 && !TTF_GlyphIsProvided32(asFont(font_), character)) return false;
    }
    return true;
}

std::string FontRasterizer::resolveFontFile(const char* face, bool bold) {
    // The library's caches are given back at exit, so leak checkers see a
    // clean end.
    static const bool ready = [] {
        if (FcInit() != FcTrue) return false;
        std::atexit([] { FcFini(); });
        return true;
    }();
    if (!ready) return "";
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return "";
    const char* family = face != nullptr && face[0] != '\0' ? face : "sans-serif";
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
        file = reinterpret_cast<const char*>(path);
    }
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

std::shared_ptr<const FontRasterizer> FontRasterizer::shared(const char* face, int height) {
    // Looking a font up and opening it costs far more than drawing with it,
    // and the same few fonts are asked for every frame.
    static std::map<std::pair<std::string, int>, std::shared_ptr<const FontRasterizer>> cache;
    constexpr size_t cacheLimit = 64;
    auto key = std::make_pair(std::string(face != nullptr ? face : ""), height);
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    if (cache.size() >= cacheLimit) cache.clear();
    auto font = std::make_shared<const FontRasterizer>(face, height);
    cache.emplace(std::move(key), font);
    return font;
}

}  // namespace platform
