// Image files into GL textures, and the filter modes landing on them.
#include "resources/Texture.h"
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"

#include <GL/glew.h>
#include <IL/il.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

GLint parameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

class Textures : public GlTest {
protected:
    Texture textures;
};

} // namespace

TEST_F(Textures, APngBecomesAMipmappedRepeatingTextureOnce) {
    RecordedMessages heard;
    const GLuint id = textures.loadTexture("tests/data/textures/orange_8x4.png");
    EXPECT_EQ(heard.take(), "Texture loading succesful\n");
    ASSERT_NE(id, 0u);

    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), id) << "the new texture stays bound";
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    GLint width = 0;
    GLint height = 0;
    GLint levelOneWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levelOneWidth);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 4);
    EXPECT_EQ(levelOneWidth, 4) << "the mipmap chain exists";

    // The pixels arrive as decoded: orange, half transparent.
    unsigned char pixels[8 * 4 * 4] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    EXPECT_NEAR(pixels[0], 255, 2);
    EXPECT_NEAR(pixels[1], 128, 2);
    EXPECT_NEAR(pixels[2], 0, 2);
    EXPECT_NEAR(pixels[3], 128, 2);

    EXPECT_EQ(textures.loadTexture("tests/data/textures/orange_8x4.png"), id);
    EXPECT_EQ(heard.take(), "");
    EXPECT_EQ(textures.textureCache.size(), 1u);
}

// Every level of a texture, bottom row first, as 8-bit RGBA.
std::vector<std::vector<unsigned char>> levelsOf(GLuint texture, int width, int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::vector<unsigned char>> levels;
    for (int level = 0;; ++level) {
        const int w = std::max(1, width >> level);
        const int h = std::max(1, height >> level);
        levels.emplace_back(static_cast<std::size_t>(w * h * 4));
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, levels.back().data());
        if (w == 1 && h == 1) {
            return levels;
        }
    }
}

// The texture asks for a compressed format; the driver's compressed texels are kept
// decoded (software GL would decode them at every sample), and must be exactly what a
// compressed texture of the image holds, at every level of the chain.
TEST_F(Textures, CompressedTexelsAreKeptDecodedAtEveryLevel) {
    const char* file = "data/obj/flame_sprite.png"; // soft alpha, like every sprite
    RecordedMessages quiet;
    const GLuint loaded = textures.loadTexture(file);
    ASSERT_NE(loaded, 0u);
    GLint compressed = GL_TRUE;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
    EXPECT_FALSE(compressed);
    EXPECT_EQ(parameter(GL_GENERATE_MIPMAP), GL_TRUE);

    // The same image uploaded as the texture was asked for.
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilLoadImage(file));
    ASSERT_TRUE(ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE));
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    GLuint reference = 0;
    glGenTextures(1, &reference);
    glBindTexture(GL_TEXTURE_2D, reference);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 ilGetData());
    glGenerateMipmap(GL_TEXTURE_2D);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    ilDeleteImages(1, &image);

    const auto expected = levelsOf(reference, width, height);
    const auto kept = levelsOf(loaded, width, height);
    ASSERT_EQ(kept.size(), expected.size());
    for (std::size_t level = 0; level < kept.size(); ++level) {
        EXPECT_TRUE(kept[level] == expected[level]) << "level " << level;
    }
    glDeleteTextures(1, &reference);
}

// The lit pass blends only what can be see-through.
TEST_F(Textures, ImagesWithSeeThroughTexelsAreKnown) {
    RecordedMessages quiet;
    const GLuint halfTransparent = textures.loadTexture("tests/data/textures/orange_8x4.png");
    const GLuint noAlpha = textures.loadTexture("data/obj/crate_planks.png");
    const GLuint fullAlpha = textures.loadTexture("tests/data/textures/blue_rgba_4x4.png");
    const GLuint atlas = textures.loadTexture("data/obj/arial.png");
    for (const GLuint texture : {halfTransparent, noAlpha, fullAlpha, atlas}) {
        ASSERT_NE(texture, 0u);
    }
    EXPECT_FALSE(textures.isOpaque(halfTransparent));
    EXPECT_TRUE(textures.isOpaque(noAlpha));
    EXPECT_TRUE(textures.isOpaque(fullAlpha)) << "an alpha channel at 255 everywhere";
    EXPECT_FALSE(textures.isOpaque(atlas)) << "the font atlas is clear around its glyphs";
    EXPECT_TRUE(textures.isOpaque(0)) << "no texture samples opaque black";
}

TEST_F(Textures, MissingOrBrokenImagesGiveZeroEveryTime) {
    const struct {
        const char* file;
        const char* lines;
    } cases[] = {
        {"tests/data/textures/missing.png",
         "Wrong texture string\n"
         "Unable to open file tests/data/textures/missing.png\n"
         "tests/data/textures/missing.png: no such file or directory\n"},
        {"tests/data/textures/broken.png",
         "Wrong texture string\n"
         "tests/data/textures/broken.png: the PNG file does not begin with its IHDR header\n"},
        {"tests/data/images", "Wrong texture string\n"
                              "Unable to open file tests/data/images\n"
                              "tests/data/images: a directory, not a file\n"},
    };
    for (const auto& c : cases) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            RecordedMessages heard;
            EXPECT_EQ(textures.loadTexture(c.file), 0u);
            EXPECT_EQ(heard.take(), c.lines) << c.file;
        }
    }
    EXPECT_TRUE(textures.textureCache.empty());
}

// Headers that promise more than the driver takes, or more than the file holds, are
// refused before anything is decoded or uploaded; the object is drawn untextured.
TEST_F(Textures, ImagesClaimingTooMuchAreRefusedBeforeDecoding) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    ASSERT_LT(largest, 40000);
    const std::string limit = "more than the largest texture (" + std::to_string(largest) + " x " +
                              std::to_string(largest) + ")";
    const struct {
        const char* file;
        std::string reason;
    } cases[] = {
        {"tests/data/images/huge.tga", "65535 x 65535 pixels, " + limit},
        {"tests/data/images/huge.jpg", "40000 x 40000 pixels, " + limit},
        {"tests/data/images/big.png",
         "9000 x 9000 pixels, 309 MiB of RGBA texels, more than the 256 MiB an image may take"},
        {"tests/data/images/half.tga",
         "the file ends before its pixel data (114 bytes of the 210 its header needs)"},
    };
    glBindTexture(GL_TEXTURE_2D, 0);
    for (const auto& c : cases) {
        RecordedMessages heard;
        EXPECT_EQ(textures.loadTexture(c.file), 0u);
        EXPECT_EQ(heard.take(),
                  "Wrong texture string\n" + std::string(c.file) + ": " + c.reason + "\n");
        GLint bound = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(bound, 0) << c.file << ": no texture was made";
    }
    EXPECT_TRUE(textures.textureCache.empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A good image still loads after them, through the same loader.
    RecordedMessages heard;
    const GLuint good = textures.loadTexture("tests/data/images/good.tga");
    EXPECT_EQ(heard.take(), "Texture loading succesful\n");
    ASSERT_NE(good, 0u);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 5);
    EXPECT_TRUE(textures.isOpaque(good));
}

TEST_F(Textures, FilterModesLandOnTheBoundTexture) {
    RecordedMessages quiet;
    const GLuint id = textures.loadTexture("tests/data/textures/orange_8x4.png");

    // The start mode is trilinear and arms the wrap of the mipmap key.
    textures.applyFilter(id);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(textures.statusText,
              "TexParam: Mipmap on: Min Filter Linear&Linear - Mag Filter Linear&Linear");
    EXPECT_TRUE(textures.mipmapWrapPending);
    textures.nextMipmapFilter();
    EXPECT_EQ(textures.filterMode, 2);

    const struct {
        int mode;
        GLint min;
        GLint mag;
        const char* text;
    } rows[] = {
        {0, GL_NEAREST, GL_NEAREST, "TexParam: Min Filter Nearest - Mag Filter Nearest"},
        // Mipmapped modes leave the magnification filter of the last plain mode.
        {2, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST,
         "TexParam: Mipmap on: Min Filter Nearest&Nearest - Mag Filter Nearest&Nearest"},
        {3, GL_NEAREST_MIPMAP_LINEAR, GL_NEAREST,
         "TexParam: Mipmap on: Min Filter Nearest&Linear - Mag Filter Nearest&Linear"},
        {1, GL_LINEAR, GL_LINEAR, "TexParam: Min Filter Linear - Mag Filter Linear"},
        {4, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR,
         "TexParam: Mipmap on: Min Filter Linear&Nearest - Mag Filter Linear&Nearest"},
        {-3, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR,
         "TexParam: Mipmap on: Min Filter Linear&Linear - Mag Filter Linear&Linear"},
    };
    for (const auto& row : rows) {
        textures.filterMode = row.mode;
        textures.applyFilter(id);
        EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), row.min) << row.mode;
        EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), row.mag) << row.mode;
        EXPECT_EQ(textures.statusText, row.text);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A texture that already has the mode is left alone (the overwrite below stays);
    // a new mode, or a texture not seen yet, gets it.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    textures.applyFilter(id);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    textures.filterMode = 1;
    textures.applyFilter(id);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    textures.applyFilter(other);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(textures.statusText, "TexParam: Min Filter Linear - Mag Filter Linear");
    glDeleteTextures(1, &other);
}
