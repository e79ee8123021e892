#pragma once

#include <string>
#include <vector>

// One character of the game's glyph table: its atlas rectangle in texture coordinates
// (v = 0 is the image's top row) and its quad size in font units.
struct GlyphEntry {
    unsigned code = 0;
    double uLeft = 0.0;
    double vTop = 0.0;
    double uRight = 0.0;
    double vBottom = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// Writes the glyph coordinate file the HUD text overlay reads, one record per entry.
class GlyphTableWriter {
public:
    static bool write(const std::string& path, const std::vector<GlyphEntry>& entries);
    static std::string characterName(unsigned code);
};
