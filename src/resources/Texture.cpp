#include "resources/Texture.h"

#include "platform/Diagnostics.h"
#include "resources/ImageFile.h"
#include "resources/StatusLines.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

struct FilterRow {
    GLint minFilter;
    bool setsMagFilter;
    const char* text;
};

constexpr FilterRow kFilterRows[] = {
    {GL_NEAREST, true, "TexParam: Min Filter Nearest - Mag Filter Nearest"},
    {GL_LINEAR, true, "TexParam: Min Filter Linear - Mag Filter Linear"},
    {GL_NEAREST_MIPMAP_NEAREST, false,
     "TexParam: Mipmap on: Min Filter Nearest&Nearest - Mag Filter Nearest&Nearest"},
    {GL_NEAREST_MIPMAP_LINEAR, false,
     "TexParam: Mipmap on: Min Filter Nearest&Linear - Mag Filter Nearest&Linear"},
    {GL_LINEAR_MIPMAP_NEAREST, false,
     "TexParam: Mipmap on: Min Filter Linear&Nearest - Mag Filter Linear&Nearest"},
    {GL_LINEAR_MIPMAP_LINEAR, false,
     "TexParam: Mipmap on: Min Filter Linear&Linear - Mag Filter Linear&Linear"},
};
constexpr int kTrilinearRow = 5;

// Whether an RGBA image has a texel that is not fully opaque.
bool hasTranslucentTexel(const std::uint8_t* rgba, std::size_t size) {
    for (std::size_t i = 3; i < size; i += 4) {
        if (rgba[i] != 255) {
            return true;
        }
    }
    return false;
}

// The largest texture the driver takes; images over it are refused before decoding.
ImageLimits textureLimits() {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ImageLimits limits;
    if (largest > 0) {
        limits.maxSide = static_cast<std::uint32_t>(largest);
    }
    return limits;
}

// A compressed texture as the driver made it, every level kept decoded instead: the
// same texels, so the same picture, but a software rasteriser (Mesa's llvmpipe turns
// GL_COMPRESSED_RGBA into DXT5) no longer decodes a block for every sample, which
// cost it more than the rest of the lit pass together.
void keepDecodedTexels(int width, int height) {
    GLint compressed = GL_FALSE;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
    if (!compressed) {
        return;
    }
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // Writing level 0 would build the chain anew from it; every level is written here.
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_FALSE);
    // Every level is read before any is written: a level of another format makes the
    // driver set up the texture's storage anew, and what the other levels held is gone.
    std::vector<std::vector<unsigned char>> levels;
    for (GLint level = 0;; ++level) {
        const GLsizei w = std::max(1, width >> level);
        const GLsizei h = std::max(1, height >> level);
        levels.emplace_back(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, levels.back().data());
        if (w == 1 && h == 1) {
            break;
        }
    }
    for (std::size_t level = 0; level < levels.size(); ++level) {
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA8,
                     std::max(1, width >> level), std::max(1, height >> level), 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, levels[level].data());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
}

} // namespace

void Texture::release() {
    for (const auto& entry : textureCache) {
        glBindTexture(GL_TEXTURE_2D, entry->id);
        glDeleteTextures(1, &entry->id);
    }
    appliedRows.clear();
    translucentTextures.clear();
}

void Texture::init() {
    if (!overlay) {
        return;
    }
    overlay->addStatusLine(&statusText, "tex", -500.0f, 350.0f);
}

std::uint32_t Texture::loadTexture(const std::string& fileName) {
    for (const auto& entry : textureCache) {
        if (entry->name == fileName) {
            return entry->id;
        }
    }
    loadImageFile(fileName);
    if (!textureCache.empty() && textureCache.back()->name == fileName) {
        return textureCache.back()->id;
    }
    return 0;
}

void Texture::loadImageFile(const std::string& fileName) {
    ImageFile image;
    if (!image.load(fileName, textureLimits())) {
        platform::DiagnosticLine()
            << (image.conversionFailed() ? "Texture loading failed" : "Wrong texture string");
        image.report(fileName);
        return;
    }
    const auto width = static_cast<GLsizei>(image.width());
    const auto height = static_cast<GLsizei>(image.height());

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // decoded rows are tightly packed
    glTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.rgba());
    glGenerateMipmap(GL_TEXTURE_2D);
    keepDecodedTexels(width, height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    if (hasTranslucentTexel(image.rgba(), image.byteCount())) {
        translucentTextures.insert(texture);
    }

    textureCache.push_back(std::make_unique<CacheEntry>(CacheEntry{fileName, texture}));
    platform::DiagnosticLine() << "Texture loading succesful";
}

bool Texture::isOpaque(std::uint32_t texture) const {
    return translucentTextures.count(texture) == 0;
}

void Texture::applyFilter(std::uint32_t texture) {
    const int row = (filterMode >= 0 && filterMode < kTrilinearRow) ? filterMode : kTrilinearRow;
    const FilterRow& filter = kFilterRows[row];
    const auto [applied, isNew] = appliedRows.try_emplace(texture, row);
    if (isNew || applied->second != row) {
        applied->second = row;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter.minFilter);
        if (filter.setsMagFilter) {
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter.minFilter);
        }
    }
    statusText = filter.text;
    if (row == kTrilinearRow) {
        mipmapWrapPending = true;
    }
}

void Texture::togglePlainFilter() {
    filterMode = filterMode < 1 ? filterMode + 1 : 0;
}

void Texture::nextMipmapFilter() {
    if (mipmapWrapPending) {
        filterMode = 1;
        mipmapWrapPending = false;
    }
    ++filterMode;
    if (filterMode < 2) {
        filterMode = 2;
    }
}
