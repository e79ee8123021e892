#include "FontFace.h"

#include <cstdio>
#include <cstdlib>

namespace {

// FreeType keeps sizes in 26.6 fixed point.
int ceilPixels(FT_Pos value) {
    return static_cast<int>((value + 63) >> 6);
}

int roundPixels(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

} // namespace

FontFace::~FontFace() {
    if (face) {
        FT_Done_Face(face);
    }
    if (library) {
        FT_Done_FreeType(library);
    }
}

bool FontFace::open(const std::string& fontPath, int pixelSize) {
    path = fontPath;
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        std::printf("Unable to start FreeType for %s\n", path.c_str());
        return false;
    }
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        face = nullptr;
        std::printf("Unable to open font file %s\n", path.c_str());
        return false;
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        std::printf("Font file %s cannot be scaled to %d pixels\n", path.c_str(), pixelSize);
        return false;
    }
    return true;
}

bool FontFace::hasGlyph(unsigned code) const {
    return FT_Get_Char_Index(face, code) != 0;
}

bool FontFace::render(unsigned code, GlyphBitmap& out) {
    if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) {
        std::printf("Font file %s: character %u cannot be rendered\n", path.c_str(), code);
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.num_grays != 256) {
        std::printf("Font file %s: character %u has no 8-bit coverage bitmap\n", path.c_str(),
                    code);
        return false;
    }
    out.advance = roundPixels(slot->advance.x);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.coverage.assign(static_cast<size_t>(out.width) * out.rows, 0);
    // A negative pitch means the rows are stored bottom first.
    const int stride = std::abs(bitmap.pitch);
    for (int row = 0; row < out.rows; ++row) {
        const int stored = bitmap.pitch >= 0 ? row : out.rows - 1 - row;
        const unsigned char* source = bitmap.buffer + static_cast<size_t>(stored) * stride;
        for (int column = 0; column < out.width; ++column) {
            out.coverage[static_cast<size_t>(row) * out.width + column] = source[column];
        }
    }
    return true;
}

int FontFace::ascender() const {
    return ceilPixels(face->size->metrics.ascender);
}

int FontFace::descender() const {
    return ceilPixels(-face->size->metrics.descender);
}
