#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

// One glyph as FreeType rasterised it: 8-bit coverage, rows top first, placed relative to
// the pen on the baseline (left: pixels right of the pen, top: pixels above the baseline).
struct GlyphBitmap {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;
};

// A font file opened at one pixel size. Messages name the font file, so the caller only
// has to stop when an operation reports failure.
class FontFace {
public:
    FontFace() = default;
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool open(const std::string& fontPath, int pixelSize);
    bool hasGlyph(unsigned code) const;
    bool render(unsigned code, GlyphBitmap& out);

    // Whole pixels above and below the baseline that the font's line metrics reserve.
    int ascender() const;
    int descender() const;

private:
    std::string path;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};
