#pragma once

#include <string>

#include "Image.h"

// Saves an image as PNG through DevIL, the library the game reads it back with.
class PngWriter {
public:
    // Opaque textures are written as RGB, sprites as RGBA.
    static bool write(const std::string& path, const Image& image, bool withAlpha);
};
