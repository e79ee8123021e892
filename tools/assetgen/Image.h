#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

// A float RGBA picture, rows top first, painted one pixel at a time. Coordinates wrap,
// because every texture of the game is drawn repeated.
class Image {
public:
    Image(int width, int height);

    int width() const { return columns; }
    int height() const { return rows; }
    glm::vec4& at(int x, int y);
    const glm::vec4& at(int x, int y) const;
    // The centre of pixel (x, y) in texture units, both in [0, 1).
    glm::vec2 uv(int x, int y) const;

    // 8-bit samples, `channels` 3 (RGB) or 4 (RGBA), rounded and clamped.
    std::vector<std::uint8_t> bytes(int channels) const;

private:
    size_t index(int x, int y) const;

    int columns;
    int rows;
    std::vector<glm::vec4> pixels;
};
