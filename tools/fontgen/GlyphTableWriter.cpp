#include "GlyphTableWriter.h"

#include <cstdio>

std::string GlyphTableWriter::characterName(unsigned code) {
    // The reader skips this line, it is only there for people reading the file; names
    // keep it free of characters that vanish or break lines in an editor.
    if (code == 32) {
        return "space";
    }
    if (code == 160) {
        return "nbsp";
    }
    if (code == 173) {
        return "shy";
    }
    if (code < 128) {
        return std::string(1, static_cast<char>(code));
    }
    // Latin-1 code point written as UTF-8.
    std::string name;
    name += static_cast<char>(0xC0 | (code >> 6));
    name += static_cast<char>(0x80 | (code & 0x3F));
    return name;
}

bool GlyphTableWriter::write(const std::string& path, const std::vector<GlyphEntry>& entries) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::printf("Unable to open file %s\n", path.c_str());
        return false;
    }
    for (const GlyphEntry& entry : entries) {
        std::fprintf(file, "Section Character [%u]\n", entry.code);
        std::fprintf(file, "Char = %s\n", characterName(entry.code).c_str());
        std::fprintf(file, "TopLeft = [%.7f, %.7f]\n", entry.uLeft, entry.vTop);
        std::fprintf(file, "BottomRight = [%.7f, %.7f]\n", entry.uRight, entry.vBottom);
        std::fprintf(file, "Width = %.7f\n", entry.width);
        std::fprintf(file, "Height = %.7f\n\n", entry.height);
    }
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written) {
        std::printf("Unable to write file %s\n", path.c_str());
        return false;
    }
    return true;
}
