#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AtlasLayout.h"
#include "FontFace.h"

// The RGBA atlas, rows top first. Colour is white everywhere and only alpha carries the
// glyphs, so filtering across a glyph's edge fades it out instead of darkening it.
class AtlasImage {
public:
    AtlasImage(int width, int height);

    // Draws the glyph with its pen at the box's left edge and its baseline `baseline` rows
    // below the box's top; ink outside the box is dropped.
    void drawGlyph(const GlyphBitmap& glyph, const AtlasBox& box, int baseline);

    std::uint8_t alpha(int x, int y) const { return pixels[index(x, y) + 3]; }
    bool savePng(const std::string& path);

private:
    size_t index(int x, int y) const { return (static_cast<size_t>(y) * width + x) * 4; }

    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};
