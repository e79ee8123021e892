#include "render/SceneRenderer.h"

#include "camera/Camera.h"
#include "render/Light.h"
#include "render/MeshDraw.h"
#include "render/PointBuffer.h"
#include "render/TextOverlay.h"

#include <GL/glew.h>
#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include <algorithm>

namespace {

// Where the camera stands: the view's translation taken back through its rotation.
glm::vec3 eyeOf(const glm::mat4& view) {
    return -glm::transpose(glm::mat3(view)) * glm::vec3(view[3]);
}

void drawSprites(const DrawRecord& record) {
    if (record.spritesWriteDepth) {
        record.sprites->draw(record.program, record.texture, &record.model, record.spriteCount);
    } else {
        record.sprites->drawSeeThrough(record.program, record.texture, &record.model,
                                       record.spriteCount);
    }
}

} // namespace

void SceneRenderer::setupShadows() {
    shadowMaps.setupMatrices();
    camera->lightProjection = shadowMaps.lightProjection;
    camera->depthProgram = depthProgram;
    camera->shadowProgram = shadowProgram;
    light->litProgram = shadowProgram;
    glEnable(GL_TEXTURE_2D);
    shadowMaps.create();
    backEnd.create();
}

void SceneRenderer::release() {
    shadowMaps.release();
    backEnd.release();
}

void SceneRenderer::uploadCameraMatrices(std::uint32_t program, bool scene) {
    if (scene) {
        uploadMatrix(program, "perspective", camera->perspective);
        uploadMatrix(program, "view", camera->view);
    } else {
        uploadMatrix(program, "ortho", camera->ortho);
    }
}

void SceneRenderer::uploadMatrix(std::uint32_t program, const char* name, const glm::mat4& matrix) {
    glUniformMatrix4fv(locations.uniform(program, name), 1, GL_FALSE, &matrix[0][0]);
}

void SceneRenderer::render(const SceneFrame& frame) {
    renderedObjects = 0;
    frontEnd.measure(frame.records);
    depthPass(frame);
    litPass(frame);
    renderWaterPass(frame);
    renderParticlePass(frame);
    renderOverlayPass();
    glUseProgram(0);
}

void SceneRenderer::renderDepthPass(const SceneFrame& frame) {
    frontEnd.measure(frame.records);
    depthPass(frame);
}

void SceneRenderer::renderLitPass(const SceneFrame& frame) {
    frontEnd.measure(frame.records);
    litPass(frame);
}

void SceneRenderer::depthPass(const SceneFrame& frame) {
    shadowMaps.aimLightViews(frame.shadowEye);
    std::array<glm::mat4, ShadowMaps::kFaces> faceToClip;
    for (std::size_t i = 0; i < ShadowMaps::kFaces; ++i) {
        faceToClip[i] = shadowMaps.lightProjection * shadowMaps.lightViews[i];
    }
    frontEnd.planDepthPass(frame.records, faceToClip);
    backEnd.uploadDepthInstances(frontEnd.depthInstances);

    shadowMaps.beginDepthPass();
    glUseProgram(depthProgram);
    uploadMatrix(depthProgram, "perspective", shadowMaps.lightProjection);
    for (std::size_t i = 0; i < ShadowMaps::kFaces; ++i) {
        shadowMaps.beginFace(i);
        camera->lightView = shadowMaps.lightViews[i];
        uploadMatrix(depthProgram, "view", camera->lightView);
        backEnd.drawDepthBatches(frontEnd.depthBatches[i]);
        shadowMaps.endFace(i);
    }
    glUseProgram(0);
    shadowMaps.endDepthPass();
}

void SceneRenderer::litPass(const SceneFrame& frame) {
    glViewport(0, 0, width, height);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCullFace(GL_BACK);

    // Blending (unless the player has turned it off) only for surfaces that can be
    // see-through: for an opaque one it gives the same pixels, but software GL reads
    // back every pixel it blends.
    const bool blendingOn = glIsEnabled(GL_BLEND);
    frontEnd.planLitPass(frame.records, eyeOf(camera->view), blendingOn);
    backEnd.uploadLitInstances(frontEnd.litInstances);
    renderedObjects += frontEnd.litObjects;

    glUseProgram(shadowProgram);
    shadowMaps.bindForLitPass(shadowProgram, locations);
    light->litProgram = shadowProgram;
    if (frame.hasCameraPosition) {
        glUniform4fv(locations.uniform(shadowProgram, "camPos"), 1, &frame.cameraPosition[0]);
    }
    setLightUniforms(*light);
    uploadCameraMatrices(shadowProgram, true);
    glUniform1i(locations.uniform(shadowProgram, "ctexture"), 0);
    backEnd.drawLitBatches(frontEnd.litBatches, textures, blendingOn);
    glUseProgram(0);
}

void SceneRenderer::renderWaterPass(const SceneFrame& frame) {
    glUseProgram(waterProgram);
    uploadCameraMatrices(waterProgram, true);
    setReducedLightUniforms(*light);
    // Water objects keep the program the loader gave them. A water plane's program
    // gets the camera and the light too, or it would draw with empty matrices.
    std::uint32_t current = waterProgram;
    for (const DrawRecord& record : frame.records) {
        if (!record.drawInWaterPass) {
            continue;
        }
        if (record.program != current) {
            current = record.program;
            glUseProgram(current);
            uploadCameraMatrices(current, true);
            setReducedLightUniforms(*light, current);
        }
        if (record.sprites) {
            drawSprites(record);
        } else if (record.mesh && record.meshVisible) {
            drawMeshNow(*record.mesh, {record.model, record.ka, record.kd, record.ks},
                        record.texture, textures);
        }
        ++renderedObjects;
    }
}

void SceneRenderer::renderParticlePass(const SceneFrame& frame) {
    glUseProgram(particleProgram);
    uploadCameraMatrices(particleProgram, true);
    // Sparks shrink within 10 units of the eye, or half the way to the flame when the
    // camera is closer than 20 to it.
    const float fullSizeFrom =
        frame.hasFlame
            ? std::min(10.0f,
                       0.5f * glm::length(glm::vec3(frame.flame.model[3]) - eyeOf(camera->view)))
            : 10.0f;
    glUniform1f(locations.uniform(particleProgram, "fullSizeFrom"), fullSizeFrom);
    if (frame.hasFlame && frame.flame.sprites) {
        drawSprites(frame.flame);
    }
}

void SceneRenderer::renderOverlayPass() {
    glUseProgram(fontProgram);
    uploadCameraMatrices(fontProgram, false);
    if (overlay) {
        overlay->drawLines();
    }
}
