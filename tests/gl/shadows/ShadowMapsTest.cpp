// The shadow maps on their own, in the game window's context: what they are made of,
// the state each face is drawn with, and the copy of each face into its layer.
#include "../GlContext.h"

#include "render/ShadowMaps.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ShadowMapsGl : public GlTest {
protected:
    void SetUp() override {
        maps.setupMatrices();
        maps.create();
    }
    void TearDown() override { maps.release(); }

    static GLint integer(GLenum name) {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }

    ShadowMaps maps;
};

constexpr std::size_t kTexels = 512 * 512;

TEST_F(ShadowMapsGl, SixDepthMapsOnUnitsOneToSixAndTheirArrayOnSeven) {
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0) << "the default framebuffer is bound again";
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    for (std::size_t i = 0; i < ShadowMaps::kFaces; ++i) {
        SCOPED_TRACE("map " + std::to_string(i));
        glActiveTexture(GL_TEXTURE1 + static_cast<GLenum>(i));
        EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), maps.maps[i]);
        GLint width = 0;
        GLint height = 0;
        GLint format = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        EXPECT_EQ(width, 512);
        EXPECT_EQ(height, 512);
        EXPECT_EQ(format, GL_DEPTH_COMPONENT24);
    }
    glActiveTexture(GL_TEXTURE7);
    EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D_ARRAY)), maps.mapArray);
    GLint layers = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D_ARRAY, 0, GL_TEXTURE_DEPTH, &layers);
    EXPECT_EQ(layers, 6);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShadowMapsGl, EachFaceIsDrawnDepthOnlyAndCopiedIntoItsOwnLayer) {
    maps.beginDepthPass();
    for (std::size_t i = 0; i < ShadowMaps::kFaces; ++i) {
        SCOPED_TRACE("face " + std::to_string(i));
        // A clear depth of its own stands for what a face's casters would leave.
        glClearDepth(0.1 * static_cast<double>(i + 1));
        maps.beginFace(i);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
                  static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        EXPECT_FALSE(mask[0] || mask[1] || mask[2] || mask[3]);
        EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_FRONT) << "the far sides of the casters";
        EXPECT_TRUE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 512);
        EXPECT_EQ(viewport[3], 512);
        maps.endFace(i);
        EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    }
    maps.aimLightViews(glm::vec3(1.0f, 2.0f, 3.0f));
    maps.endDepthPass();
    glClearDepth(1.0);
    EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    const glm::vec4 ahead = maps.textureMatrices[0] * glm::vec4(5.0f, 2.0f, 3.0f, 1.0f);
    EXPECT_NEAR(ahead.x / ahead.w, 0.5f, 1e-5f) << "texture matrices follow the new eye";

    glActiveTexture(GL_TEXTURE7);
    std::vector<float> layers(ShadowMaps::kFaces * kTexels);
    glGetTexImage(GL_TEXTURE_2D_ARRAY, 0, GL_DEPTH_COMPONENT, GL_FLOAT, layers.data());
    glActiveTexture(GL_TEXTURE0);
    for (std::size_t i = 0; i < ShadowMaps::kFaces; ++i) {
        SCOPED_TRACE("layer " + std::to_string(i));
        const float expected = 0.1f * static_cast<float>(i + 1);
        EXPECT_NEAR(layers[i * kTexels], expected, 1e-4f);
        EXPECT_NEAR(layers[i * kTexels + kTexels - 1], expected, 1e-4f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShadowMapsGl, ReleaseGivesEverythingBackOnce) {
    const ShadowMaps made = maps;
    maps.release();
    EXPECT_FALSE(glIsFramebuffer(made.framebuffer));
    EXPECT_FALSE(glIsTexture(made.mapArray));
    for (GLuint map : made.maps) {
        EXPECT_FALSE(glIsTexture(map));
    }
    maps.release(); // and again, as TearDown does: nothing left to give
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
