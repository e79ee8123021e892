#include "render/ShadowMaps.h"

#include "camera/Camera.h"
#include "render/LocationCache.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// The six axis directions the light casts shadows into. The up vectors keep each
// face's picture upright; they only have to be the same in both passes.
constexpr std::array<glm::vec3, ShadowMaps::kFaces> kFaceDirections{{
    {1.0f, 0.0f, 0.0f},
    {-1.0f, 0.0f, 0.0f},
    {0.0f, 1.0f, 0.0f},
    {0.0f, -1.0f, 0.0f},
    {0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, -1.0f},
}};
constexpr std::array<glm::vec3, ShadowMaps::kFaces> kFaceUps{{
    {0.0f, 1.0f, 0.0f},
    {0.0f, -1.0f, 0.0f},
    {0.0f, 0.0f, 1.0f},
    {0.0f, 0.0f, -1.0f},
    {0.0f, 1.0f, 0.0f},
    {0.0f, -1.0f, 0.0f},
}};

// A degree more than a quarter turn, so that neighbouring maps overlap and the
// shadow filter never reads past the edge of a map at the seams.
constexpr float kLightFieldOfView = 91.0f;
// The near plane sits well inside the body (a capsule 0.8 round), so nothing that casts
// a shadow is cut off by it. Its distance sets the precision of the map: a 24-bit depth
// step is about d * d / near / 2^24 long at distance d, 0.1 at 40 with a near plane at
// 0.001, 0.001 with one at 0.1.
constexpr float kLightNear = 0.1f;
constexpr float kLightFar = 1000.0f;
// The casters are pushed back by a couple of depth steps only, not by their slope: the
// lit pass keeps a surface clear of its own far side by looking it up a texel and a
// half off the surface. A slope-scaled push let the far side of the thin floor under a
// wall reach out past the wall's foot, a line of light along the foot of a wall whose
// far side is in shadow.
constexpr float kSlopeOffset = 0.0f;
constexpr float kStepsOffset = 2.0f;

// The uniform names of the six maps and their texture matrices, face by face.
constexpr std::array<const char*, ShadowMaps::kFaces> kMapNames{"sm_0", "sm_1", "sm_2",
                                                                 "sm_3", "sm_4", "sm_5"};
constexpr std::array<const char*, ShadowMaps::kFaces> kTextureMatrixNames{
    "tm_0", "tm_1", "tm_2", "tm_3", "tm_4", "tm_5"};

GLenum mapUnit(std::size_t face) { return GL_TEXTURE0 + ShadowMaps::kFirstMapUnit + face; }

} // namespace

void ShadowMaps::setupMatrices() {
    lightProjection = perspectiveMatrix(kLightFieldOfView, 1.0f, kLightNear, kLightFar);
    faceDirections = kFaceDirections;
    faceUps = kFaceUps;
    biasScale = glm::scale(glm::mat4(1.0f), glm::vec3(0.5f));
    biasTranslate = glm::translate(glm::mat4(1.0f), glm::vec3(0.5f));
    width = 512;
    height = 512;
}

void ShadowMaps::create() {
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    for (std::size_t i = 0; i < maps.size(); ++i) {
        glGenTextures(1, &maps[i]);
        glActiveTexture(mapUnit(i));
        glBindTexture(GL_TEXTURE_2D, maps[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP));
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_CLAMP));
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0,
                     GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, maps[i], 0);
    }
    // Room for a copy of each map, one layer each, read by the lit pass.
    glGenTextures(1, &mapArray);
    glActiveTexture(GL_TEXTURE0 + kArrayUnit);
    glBindTexture(GL_TEXTURE_2D_ARRAY, mapArray);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_DEPTH_COMPONENT24, width, height,
                 static_cast<GLsizei>(maps.size()), 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE,
                 nullptr);
    // Depth only: the framebuffer has no colour to draw into or read from.
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    // The copies go through a framebuffer of their own, with a layer as its depth.
    glGenFramebuffers(1, &copyFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, copyFramebuffer);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
}

void ShadowMaps::release() {
    if (framebuffer == 0) {
        return; // never created: there may not even be a GL context
    }
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteFramebuffers(1, &copyFramebuffer);
    glDeleteTextures(static_cast<GLsizei>(maps.size()), maps.data());
    glDeleteTextures(1, &mapArray);
    framebuffer = 0;
    copyFramebuffer = 0;
    maps.fill(0);
    mapArray = 0;
}

void ShadowMaps::aimLightViews(const glm::vec3& eye) {
    for (std::size_t i = 0; i < lightViews.size(); ++i) {
        lightViews[i] = glm::lookAt(eye, eye + faceDirections[i], faceUps[i]);
    }
}

void ShadowMaps::updateTextureMatrices() {
    for (std::size_t i = 0; i < textureMatrices.size(); ++i) {
        textureMatrices[i] = biasTranslate * biasScale * lightProjection * lightViews[i];
    }
}

void ShadowMaps::beginDepthPass() const { glBindFramebuffer(GL_FRAMEBUFFER, framebuffer); }

void ShadowMaps::beginFace(std::size_t face) const {
    glActiveTexture(mapUnit(face));
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, maps[face], 0);
    // The maps keep the far sides of the casters (front faces culled), a little further
    // back than they are.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(kSlopeOffset, kStepsOffset);
    glViewport(0, 0, width, height);
    glClear(GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glCullFace(GL_FRONT);
}

void ShadowMaps::endFace(std::size_t) const { glDisable(GL_POLYGON_OFFSET_FILL); }

void ShadowMaps::endDepthPass() {
    // The finished maps into their layers of the array, all after the last face: a
    // copy has to wait until its map is drawn, and software GL draws the faces one
    // after the other while the game goes on, so one wait at the end costs less than
    // six between the faces. A blit between two depth buffers of one format and size
    // is a plain copy of memory, where a copy into the texture (glCopyTexSubImage3D)
    // costs software GL a draw through a shader.
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, copyFramebuffer);
    for (std::size_t face = 0; face < maps.size(); ++face) {
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, maps[face],
                               0);
        glFramebufferTextureLayer(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, mapArray, 0,
                                  static_cast<GLint>(face));
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_DEPTH_BUFFER_BIT,
                          GL_NEAREST);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
    updateTextureMatrices();
}

void ShadowMaps::bindForLitPass(std::uint32_t program, LocationCache& locations) const {
    for (std::size_t i = 0; i < maps.size(); ++i) {
        glActiveTexture(mapUnit(i));
        glBindTexture(GL_TEXTURE_2D, maps[i]);
        glUniform1i(locations.uniform(program, kMapNames[i]),
                    kFirstMapUnit + static_cast<GLint>(i));
        glUniformMatrix4fv(locations.uniform(program, kTextureMatrixNames[i]), 1, GL_FALSE,
                           &textureMatrices[i][0][0]);
    }
    glActiveTexture(GL_TEXTURE0 + kArrayUnit);
    glBindTexture(GL_TEXTURE_2D_ARRAY, mapArray);
    glUniform1i(locations.uniform(program, "shadowMaps"), kArrayUnit);
    glActiveTexture(GL_TEXTURE0);
}
