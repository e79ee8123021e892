// Builds the HUD's bitmap font: an RGBA atlas PNG and the glyph coordinate file the text
// overlay reads.
//   fontgen <font.ttf> <out.png> <out_coords.data>

#include <cstdio>
#include <string>
#include <vector>

#include "AtlasImage.h"
#include "AtlasLayout.h"
#include "FontFace.h"
#include "GlyphTableWriter.h"

namespace {

// The largest HUD size (2000) draws a line about 44 pixels tall; rendering the em at 36
// pixels gives boxes of about that height, so text is never magnified much.
constexpr int kPixelSize = 36;
// Room above the ascender and below the descender for the few glyphs that reach past them.
constexpr int kLineMargin = 1;
// Transparent pixels between boxes; linear filtering reads one texel beyond a box edge.
constexpr int kGap = 2;
constexpr int kMaxAtlasSide = 4096;
// Font units: a line drawn with size 900 is this many pixels tall on screen.
constexpr double kLinePixelsAtSize900 = 20.0;

struct Options {
    std::string fontPath;
    std::string imagePath;
    std::string tablePath;
};

std::vector<unsigned> charactersToRender(const FontFace& font, const std::string& fontPath) {
    std::vector<unsigned> codes;
    // Printable ASCII is what the game's texts use, so every one of them must exist.
    for (unsigned code = 32; code <= 126; ++code) {
        if (!font.hasGlyph(code)) {
            std::printf("Font file %s has no glyph for character %u\n", fontPath.c_str(), code);
            return {};
        }
        codes.push_back(code);
    }
    for (unsigned code = 160; code <= 255; ++code) {
        if (font.hasGlyph(code)) {
            codes.push_back(code);
        }
    }
    return codes;
}

int run(const Options& options) {
    FontFace font;
    if (!font.open(options.fontPath, kPixelSize)) {
        return 1;
    }
    const std::vector<unsigned> codes = charactersToRender(font, options.fontPath);
    if (codes.empty()) {
        return 1;
    }

    std::vector<GlyphBitmap> glyphs(codes.size());
    std::vector<int> advances;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (!font.render(codes[i], glyphs[i])) {
            return 1;
        }
        // A damaged font can still load, with empty outlines; the HUD would then show nothing.
        const bool visibleAscii = codes[i] > 32 && codes[i] <= 126;
        if (visibleAscii && (glyphs[i].width == 0 || glyphs[i].rows == 0)) {
            std::printf("Font file %s: character %u has no outline\n", options.fontPath.c_str(),
                        codes[i]);
            return 1;
        }
        advances.push_back(glyphs[i].advance);
    }

    // Every box is a whole line tall so that the renderer, which puts the quad's bottom on
    // the pen, lines all baselines up.
    const int baseline = kLineMargin + font.ascender();
    const int boxHeight = baseline + font.descender() + kLineMargin;
    AtlasLayout layout;
    if (!layout.arrange(advances, boxHeight, kGap, kMaxAtlasSide)) {
        std::printf("Font file %s: glyphs do not fit a %d x %d atlas\n", options.fontPath.c_str(),
                    kMaxAtlasSide, kMaxAtlasSide);
        return 1;
    }

    AtlasImage image(layout.width(), layout.height());
    const double pixelsPerUnit = boxHeight * 900.0 / kLinePixelsAtSize900;
    std::vector<GlyphEntry> entries;
    for (size_t i = 0; i < codes.size(); ++i) {
        const AtlasBox& box = layout.boxes()[i];
        image.drawGlyph(glyphs[i], box, baseline);
        GlyphEntry entry;
        entry.code = codes[i];
        entry.uLeft = static_cast<double>(box.x) / layout.width();
        entry.vTop = static_cast<double>(box.y) / layout.height();
        entry.uRight = static_cast<double>(box.x + box.width) / layout.width();
        entry.vBottom = static_cast<double>(box.y + box.height) / layout.height();
        entry.width = box.width / pixelsPerUnit;
        entry.height = box.height / pixelsPerUnit;
        entries.push_back(entry);
    }

    if (!image.savePng(options.imagePath) || !GlyphTableWriter::write(options.tablePath, entries)) {
        return 1;
    }
    std::printf("fontgen: %zu glyphs, %d x %d atlas, line %d px\n", entries.size(), layout.width(),
                layout.height(), boxHeight);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: fontgen <font.ttf> <out.png> <out_coords.data>\n");
        return 2;
    }
    return run({argv[1], argv[2], argv[3]});
}
