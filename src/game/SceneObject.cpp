#include "game/SceneObject.h"

#include "physics/engine/Actor.h"
#include "render/DrawRecord.h"
#include "render/GpuMesh.h"
#include "render/MeshDraw.h"
#include "resources/Material.h"
#include "resources/Mesh.h"
#include "resources/Texture.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cstdint>

namespace {

// The scale a placement T * R * S shows: its column lengths. Which axis a mirror lies in
// cannot be read off a matrix; only the level record knows.
glm::vec3 scaleOf(const glm::mat4& m) {
    return glm::vec3(glm::length(glm::vec3(m[0])), glm::length(glm::vec3(m[1])),
                     glm::length(glm::vec3(m[2])));
}

} // namespace

SceneObject::SceneObject(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                         const std::string& materialFile, const glm::mat4& modelMatrix)
    : mesh(std::make_unique<Mesh>(meshFile)), program(program), texture(texture),
      modelMatrix(modelMatrix), scale(scaleOf(modelMatrix)), boundsCentre(mesh->boundsCentre),
      boundsRadius(mesh->boundsRadius),
      cameraOffset(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -2.0f, -30.0f))),
      material(std::make_unique<Material>(materialFile)), meshFile(meshFile) {}

SceneObject::~SceneObject() = default;

void SceneObject::createBuffers() {
    gpuMesh = GpuMesh::shared(*mesh);
    vertexBuffer = gpuMesh->vertexBuffer;
    indexBuffer = gpuMesh->indexBuffer;
}

bool SceneObject::isOpaque() const {
    return material->kd.a >= 1.0f && textureManager && textureManager->isOpaque(texture);
}

void SceneObject::describe(DrawRecord& record) const {
    record = DrawRecord{};
    record.mesh = gpuMesh.get();
    record.texture = texture;
    record.model = modelMatrix;
    record.ka = material->ka;
    record.kd = material->kd;
    record.ks = material->ks;
    record.seeThrough = !isOpaque();
    record.program = program;
}

void SceneObject::drawMesh() {
    if (gpuMesh) {
        drawMeshNow(*gpuMesh, {modelMatrix, material->ka, material->kd, material->ks}, texture,
                    textureManager);
    }
}

void SceneObject::drawMeshDepth() {
    if (gpuMesh) {
        drawMeshDepthNow(*gpuMesh, modelMatrix);
    }
}

void SceneObject::deleteBuffers() {
    gpuMesh.reset();
    vertexBuffer = 0;
    indexBuffer = 0;
}

void SceneObject::syncFromActor() {
    if (!actor) {
        return;
    }
    placeAt(actor->getGlobalPose().toMatrix());
}

void SceneObject::syncToActor() {
    if (!actor) {
        return;
    }
    actor->setGlobalPose(pose());
}

void SceneObject::placeAt(const glm::mat4& placement) {
    modelMatrix = glm::scale(placement, scale);
}

physics::Pose SceneObject::pose() const {
    physics::Pose pose;
    for (int c = 0; c < 3; ++c) {
        // Each axis made unit length, and turned back where the scale mirrors it. An
        // axis scaled to nothing has no direction left: the unit axis stands in for it.
        const glm::vec3 axis(modelMatrix[c]);
        const float length = glm::length(axis);
        pose.rotation[c] = length > 0.0f ? axis / (scale[c] < 0.0f ? -length : length)
                                         : glm::vec3(c == 0, c == 1, c == 2);
    }
    pose.translation = glm::vec3(modelMatrix[3]);
    return pose;
}
