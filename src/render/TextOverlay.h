#pragma once

#include "render/GlyphRecord.h"
#include "render/HudLine.h"
#include "render/LocationCache.h"
#include "resources/StatusLines.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>


// The warm white of the HUD's information lines (status lines, frame rate, flame).
inline constexpr glm::vec4 kHudTextColor{1.0f, 0.8f, 0.5f, 1.0f};

// All HUD text: named lines drawn from a bitmap font, one quad per glyph and one
// draw call per line.
class TextOverlay final : public StatusLines {
public:
    // A corner of a glyph's quad.
    struct GlyphVertex {
        glm::vec4 position;
        glm::vec2 texCoord;
    };

    TextOverlay(std::uint32_t fontTexture, std::uint32_t program);
    ~TextOverlay() override;
    TextOverlay(const TextOverlay&) = delete;
    TextOverlay& operator=(const TextOverlay&) = delete;

    // Creates the buffer the lines' quads are written to; needs the GL context.
    void initBuffers();
    // Draws every visible line (font program in use, "ortho" uploaded), then hides
    // the timed lines whose time is up.
    void drawLines();
    // Flips the status lines between pinned on screen and hidden-and-expiring.
    void toggleStatusLines();

    HudLine* findLine(const std::string& name);
    // Takes away every line that shows *text: its owner is going away.
    void removeLines(const std::string* text);

    // In the status lines' look: small, left-aligned, warm white, hidden until shown,
    // then for five seconds.
    void addStatusLine(const std::string* text, const std::string& name, float x, float y) override;

    std::uint32_t fontTexture;
    std::uint32_t currentTexture = 0;
    std::uint32_t program;
    std::uint32_t vertexBuffer = 0;
    std::uint32_t indexBuffer = 0;
    // The quads of the line last drawn, four corners per glyph in drawing order.
    std::vector<GlyphVertex> lineVertices;
    glm::vec4 color{1.0f};
    float penX = 0.0f;
    float penY = 0.0f;
    int glyphIndex = 0;
    float size = 900.0f;
    bool alignLeft = true;
    const std::string* text = nullptr;
    std::vector<std::unique_ptr<HudLine>> lines;
    std::array<GlyphRecord, 256> glyphs{};
    // While set, timed lines hide themselves once their time is up; F7 pins them.
    bool linesExpire = true;

private:
    void drawText();
    void drawGlyph();
    void drawLineQuads();

    LocationCache locations;
    std::size_t indexCount = 0; // indices in indexBuffer: 0, 1, 2, ...
    bool fontFilterSet = false;
};

// Fills the glyph table from a glyph coordinate file; prints "Unable to open file "
// and the path when it cannot be read.
void readGlyphFile(TextOverlay& overlay, const std::string& path);
void readGlyphStream(std::array<GlyphRecord, 256>& glyphs, std::istream& in);

// Registers a line unless one of that name exists. The line shows *text.
void addLine(const std::string* text, TextOverlay& overlay, const std::string& name, float size,
             bool alignLeft, bool visible, float x, float y, const glm::vec4& color, double shownAt,
             double duration);

// Shows a line or restarts its timer; a visible permanent line is hidden instead.
void showLine(TextOverlay& overlay, const std::string& name);
