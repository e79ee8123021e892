#include "Image.h"

#include <cmath>

Image::Image(int width, int height)
    : columns(width), rows(height),
      pixels(static_cast<size_t>(width) * height, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f)) {}

size_t Image::index(int x, int y) const {
    x = ((x % columns) + columns) % columns;
    y = ((y % rows) + rows) % rows;
    return static_cast<size_t>(y) * columns + x;
}

glm::vec4& Image::at(int x, int y) {
    return pixels[index(x, y)];
}

const glm::vec4& Image::at(int x, int y) const {
    return pixels[index(x, y)];
}

glm::vec2 Image::uv(int x, int y) const {
    return glm::vec2((x + 0.5f) / columns, (y + 0.5f) / rows);
}

std::vector<std::uint8_t> Image::bytes(int channels) const {
    std::vector<std::uint8_t> out;
    out.reserve(pixels.size() * channels);
    for (const glm::vec4& pixel : pixels) {
        for (int c = 0; c < channels; ++c) {
            const float value = glm::clamp(pixel[c], 0.0f, 1.0f) * 255.0f;
            out.push_back(static_cast<std::uint8_t>(std::lround(value)));
        }
    }
    return out;
}
