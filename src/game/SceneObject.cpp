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

float columnLength(const glm::mat4& m, int column) {
    return glm::length(glm::vec3(m[column]));
}

} // namespace

SceneObject::SceneObject(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                         const std::string& materialFile, const glm::mat4& modelMatrix)
    : mesh(std::make_unique<Mesh>(meshFile)), program(program), texture(texture),
      modelMatrix(modelMatrix), boundsCentre(mesh->boundsCentre), boundsRadius(mesh->boundsRadius),
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
    const glm::vec3 scale(columnLength(modelMatrix, 0), columnLength(modelMatrix, 1),
                          columnLength(modelMatrix, 2));
    modelMatrix = glm::scale(actor->getGlobalPose().toMatrix(), scale);
}

void SceneObject::syncToActor() {
    if (!actor) {
        return;
    }
    physics::Pose pose;
    // Only rotation and translation: the shape was cooked at the object's scale.
    const glm::vec3 scale(columnLength(modelMatrix, 0), columnLength(modelMatrix, 1),
                          columnLength(modelMatrix, 2));
    for (int c = 0; c < 3; ++c) {
        pose.rotation[c] = scale[c] > 0.0f ? glm::vec3(modelMatrix[c]) / scale[c]
                                           : glm::vec3(c == 0, c == 1, c == 2);
    }
    pose.translation = glm::vec3(modelMatrix[3]);
    actor->setGlobalPose(pose);
}
