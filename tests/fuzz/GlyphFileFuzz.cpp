// The glyph coordinate file of the HUD font.
#include "FuzzSupport.h"

#include "render/TextOverlay.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::array<GlyphRecord, 256> glyphs{};
    readGlyphStream(glyphs, in);
    // Glyph sizes scale quads on screen: an infinity or NaN would poison the pen.
    for (const GlyphRecord& glyph : glyphs) {
        for (const float value :
             {glyph.uLeft, glyph.vTop, glyph.uRight, glyph.vBottom, glyph.width, glyph.height}) {
            FUZZ_CHECK(std::isfinite(value));
        }
    }
    return 0;
}
