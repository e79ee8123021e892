#include "render/TextOverlay.h"

#include "platform/Diagnostics.h"
#include "platform/InputFile.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <sstream>

namespace {

// The lines F7 pins and hides together.
bool isStatusLine(const std::string& name) {
    return name == "fps" || name == "cul" || name == "tex" || name == "pMode" || name == "alpha";
}

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

// A number at the start of text, as stream extraction reads it; nothing for
// anything else, non-finite values included.
bool readFloatPrefix(std::string_view text, float& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    float parsed = 0.0f;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end == text.data() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

// "Key = [a, b]": the word after "=" less its first character, and the one after
// that less its last character. Fields stay as they are when the line has no "=".
void readPair(const std::string& line, float& first, float& second) {
    const std::vector<std::string> words = splitWords(line);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "=") {
            continue;
        }
        if (i + 1 < words.size() && !words[i + 1].empty()) {
            readFloatPrefix(std::string_view(words[i + 1]).substr(1), first);
        }
        if (i + 2 < words.size() && !words[i + 2].empty()) {
            const std::string& word = words[i + 2];
            readFloatPrefix(std::string_view(word).substr(0, word.size() - 1), second);
        }
        return;
    }
}

// "Key = value".
void readSingle(const std::string& line, float& value) {
    const std::vector<std::string> words = splitWords(line);
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == "=") {
            readFloatPrefix(words[i + 1], value);
            return;
        }
    }
}

// The character code of "Section Character [65]": the third word less its first
// character, digits up to the first non-digit. -1 when there is none.
int readCode(const std::vector<std::string>& words) {
    if (words.size() < 3 || words[2].size() < 2) {
        return -1;
    }
    const std::string_view digits = std::string_view(words[2]).substr(1);
    int code = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (error != std::errc() || end == digits.data()) {
        return -1;
    }
    return code;
}

} // namespace

TextOverlay::TextOverlay(std::uint32_t texture, std::uint32_t fontProgram)
    : fontTexture(texture), program(fontProgram) {}

TextOverlay::~TextOverlay() = default;

void TextOverlay::initBuffers() {
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &indexBuffer);
}

HudLine* TextOverlay::findLine(const std::string& name) {
    for (const auto& line : lines) {
        if (line->name == name) {
            return line.get();
        }
    }
    return nullptr;
}

void TextOverlay::drawLines() {
    const double now = platform::wallClock().now();
    currentTexture = fontTexture;
    for (const auto& line : lines) {
        if (!line->visible) {
            continue;
        }
        text = line->text;
        alignLeft = line->alignLeft;
        size = line->size;
        penX = line->x;
        penY = line->y;
        color = line->color;
        drawText();
        // Drawn in this frame for the last time.
        if (linesExpire && line->shownAt + line->duration <= now && line->shownAt > 0.0) {
            line->visible = false;
        }
    }
}

void TextOverlay::drawText() {
    glyphIndex = 0;
    lineVertices.clear();
    if (!text) {
        return;
    }
    // The pen moves first and the glyph fills the stretch just moved over, so a
    // left-aligned text covers [x, x + width] and a right-aligned one [x - width, x].
    if (alignLeft) {
        for (const unsigned char c : *text) {
            glyphIndex = c;
            penX += glyphs[c].width * size;
            drawGlyph();
        }
    } else {
        for (auto it = text->rbegin(); it != text->rend(); ++it) {
            const unsigned char c = static_cast<unsigned char>(*it);
            glyphIndex = c;
            penX -= glyphs[c].width * size;
            drawGlyph();
        }
    }
    drawLineQuads();
}

void TextOverlay::drawGlyph() {
    const GlyphRecord& glyph = glyphs[static_cast<std::size_t>(glyphIndex)];
    const float w = glyph.width * size;
    const float h = glyph.height * size;
    // The pen stands at the glyph's right edge when writing left to right and at
    // its left edge when writing right to left.
    const float left = alignLeft ? penX - w : penX;
    const float right = left + w;
    lineVertices.push_back({{right, penY + h, 0.0f, 1.0f}, {glyph.uRight, glyph.vTop}});
    lineVertices.push_back({{left, penY + h, 0.0f, 1.0f}, {glyph.uLeft, glyph.vTop}});
    lineVertices.push_back({{left, penY, 0.0f, 1.0f}, {glyph.uLeft, glyph.vBottom}});
    lineVertices.push_back({{right, penY, 0.0f, 1.0f}, {glyph.uRight, glyph.vBottom}});
}

void TextOverlay::drawLineQuads() {
    if (vertexBuffer == 0 || lineVertices.empty()) {
        return; // no GL buffer yet, or nothing to draw
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(lineVertices.size() * sizeof(GlyphVertex)),
                 lineVertices.data(), GL_STREAM_DRAW);
    // Indexed quads split into the same triangles as ever, so the text's pixels do
    // not change; the indices only count up and are rewritten when a line is longer.
    if (lineVertices.size() > indexCount) {
        std::vector<std::uint32_t> indices(lineVertices.size());
        for (std::size_t i = 0; i < indices.size(); ++i) {
            indices[i] = static_cast<std::uint32_t>(i);
        }
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                     indices.data(), GL_STATIC_DRAW);
        indexCount = indices.size();
    }
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, currentTexture);
    // The atlas is drawn at about its own size: plain linear filtering, set once.
    if (!fontFilterSet) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        fontFilterSet = true;
    }
    glUniform1i(locations.uniform(program, "ctexture"), 0);
    glUniform4fv(locations.uniform(program, "frag_color"), 1, &color[0]);

    constexpr GLsizei stride = sizeof(GlyphVertex);
    const GLint vertex = locations.attribute(program, "vertex");
    const GLint texCoord = locations.attribute(program, "texCoord");
    if (vertex >= 0) {
        glVertexAttribPointer(static_cast<GLuint>(vertex), 4, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offsetof(GlyphVertex, position)));
        glEnableVertexAttribArray(static_cast<GLuint>(vertex));
    }
    if (texCoord >= 0) {
        glVertexAttribPointer(static_cast<GLuint>(texCoord), 2, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offsetof(GlyphVertex, texCoord)));
        glEnableVertexAttribArray(static_cast<GLuint>(texCoord));
    }
    glDrawElements(GL_QUADS, static_cast<GLsizei>(lineVertices.size()), GL_UNSIGNED_INT, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (vertex >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(vertex));
    }
    if (texCoord >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(texCoord));
    }
    glEnable(GL_DEPTH_TEST);
}

void TextOverlay::toggleStatusLines() {
    for (const auto& line : lines) {
        if (isStatusLine(line->name)) {
            line->visible = linesExpire;
        }
    }
    linesExpire = !linesExpire;
}

void readGlyphStream(std::array<GlyphRecord, 256>& glyphs, std::istream& in) {
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        const std::vector<std::string> words = splitWords(line);
        if (words.size() < 2 || words[0] != "Section" || words[1] != "Character") {
            continue;
        }
        const int code = readCode(words);
        if (code < 0 || code > 255) {
            continue;
        }
        GlyphRecord& glyph = glyphs[static_cast<std::size_t>(code)];
        std::string data;
        std::getline(in, data); // the character itself, for people reading the file
        if (std::getline(in, data)) {
            readPair(data, glyph.uLeft, glyph.vTop);
        }
        if (std::getline(in, data)) {
            readPair(data, glyph.uRight, glyph.vBottom);
        }
        if (std::getline(in, data)) {
            readSingle(data, glyph.width);
        }
        if (std::getline(in, data)) {
            readSingle(data, glyph.height);
        }
    }
}

void readGlyphFile(TextOverlay& overlay, const std::string& path) {
    const platform::InputFile file(path);
    if (!file.isOpen()) {
        file.reportUnopenable(path);
        return;
    }
    std::istringstream in{std::string(file.text())};
    readGlyphStream(overlay.glyphs, in);
}

void TextOverlay::addStatusLine(const std::string* lineText, const std::string& name, float x,
                                float y) {
    addLine(lineText, *this, name, 700.0f, true, false, x, y, kHudTextColor, 1.0, 5.0);
}

void TextOverlay::removeLines(const std::string* shown) {
    lines.erase(
        std::remove_if(lines.begin(), lines.end(),
                       [&](const std::unique_ptr<HudLine>& line) { return line->text == shown; }),
        lines.end());
}

void addLine(const std::string* text, TextOverlay& overlay, const std::string& name, float size,
             bool alignLeft, bool visible, float x, float y, const glm::vec4& color, double shownAt,
             double duration) {
    if (overlay.findLine(name)) {
        return;
    }
    auto line = std::make_unique<HudLine>();
    line->name = name;
    line->x = x;
    line->y = y;
    line->size = size;
    line->color = color;
    line->shownAt = shownAt;
    line->duration = duration;
    line->text = text;
    line->alignLeft = alignLeft;
    line->visible = visible;
    overlay.lines.push_back(std::move(line));
}

void showLine(TextOverlay& overlay, const std::string& name) {
    HudLine* line = overlay.findLine(name);
    if (!line) {
        return;
    }
    const double now = platform::wallClock().now();
    if (line->visible) {
        if (line->shownAt > 0.0) {
            line->shownAt = now;
        } else {
            line->visible = false;
        }
    } else {
        line->visible = true;
        if (line->shownAt >= 0.0) {
            line->shownAt = now;
        }
    }
}
