#include "AtlasImage.h"

#include <algorithm>
#include <cstdio>

#include <IL/il.h>

AtlasImage::AtlasImage(int width, int height)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height * 4, 0) {
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = pixels[i + 1] = pixels[i + 2] = 255;
    }
}

void AtlasImage::drawGlyph(const GlyphBitmap& glyph, const AtlasBox& box, int baseline) {
    const int originX = box.x + glyph.left;
    const int originY = box.y + baseline - glyph.top;
    const int right = std::min(box.x + box.width, width);
    const int bottom = std::min(box.y + box.height, height);
    for (int row = 0; row < glyph.rows; ++row) {
        const int y = originY + row;
        if (y < std::max(box.y, 0) || y >= bottom) {
            continue;
        }
        for (int column = 0; column < glyph.width; ++column) {
            const int x = originX + column;
            if (x < std::max(box.x, 0) || x >= right) {
                continue;
            }
            pixels[index(x, y) + 3] =
                glyph.coverage[static_cast<size_t>(row) * glyph.width + column];
        }
    }
}

bool AtlasImage::savePng(const std::string& path) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    bool saved = ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 4, IL_RGBA,
                            IL_UNSIGNED_BYTE, pixels.data()) == IL_TRUE;
    if (saved) {
        // Our rows are top first; without this DevIL flips the image on saving.
        ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
        ilEnable(IL_FILE_OVERWRITE);
        saved = ilSaveImage(path.c_str()) == IL_TRUE;
    }
    ilDeleteImages(1, &image);
    if (!saved) {
        std::printf("Unable to write image file %s\n", path.c_str());
    }
    return saved;
}
