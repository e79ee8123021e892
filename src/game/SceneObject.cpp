#include "game/SceneObject.h"

#include "physics/engine/Actor.h"
#include "platform/Platform.h"
#include "resources/Material.h"
#include "resources/Mesh.h"
#include "resources/Texture.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cstdint>

namespace {

// Attribute arrays of the three-block vertex buffer.
struct AttributeBlock {
    const char* name;
    GLint components;
    std::uintptr_t offset;
};

GLint enableAttribute(LocationCache& locations, GLuint program, const AttributeBlock& block) {
    const GLint location = locations.attribute(program, block.name);
    if (location >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), block.components, GL_FLOAT, GL_FALSE,
                              0, reinterpret_cast<const void*>(block.offset));
    }
    return location;
}

void disableAttribute(GLint location) {
    if (location >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}

float columnLength(const glm::mat4& m, int column) {
    return glm::length(glm::vec3(m[column]));
}

} // namespace

SceneObject::SceneObject(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                         const std::string& materialFile, const glm::mat4& modelMatrix)
    : mesh(std::make_unique<Mesh>(meshFile)), program(program), texture(texture),
      modelMatrix(modelMatrix),
      cameraOffset(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -2.0f, -30.0f))),
      material(std::make_unique<Material>(materialFile)), meshFile(meshFile) {}

SceneObject::~SceneObject() {
    // Names are only set by setup; once the window is gone, so are its buffers.
    if ((vertexBuffer != 0 || indexBuffer != 0) && platform::window().handle()) {
        deleteBuffers();
    }
}

void SceneObject::createBuffers() {
    const GLsizeiptr n = mesh->vertexCount;
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ARRAY_BUFFER, 32 * n, nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, 12 * n, mesh->positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, 12 * n, 12 * n, mesh->vertexNormals.data());
    glBufferSubData(GL_ARRAY_BUFFER, 24 * n, 8 * n, mesh->vertexTexCoords.data());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, 12 * static_cast<GLsizeiptr>(mesh->faceCount),
                 mesh->indices.data(), GL_STATIC_DRAW);
}

bool SceneObject::isOpaque() const {
    return material->kd.a >= 1.0f && textureManager && textureManager->isOpaque(texture);
}

void SceneObject::drawMesh() {
    const std::uintptr_t n = static_cast<std::uintptr_t>(mesh->vertexCount);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (textureManager) {
        textureManager->applyFilter(texture);
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glUniform1i(locations.uniform(program, "ctexture"), 0);
    glUniformMatrix4fv(locations.uniform(program, "model"), 1, GL_FALSE, &modelMatrix[0][0]);
    glUniform4fv(locations.uniform(program, "ka"), 1, &material->ka[0]);
    glUniform4fv(locations.uniform(program, "kd"), 1, &material->kd[0]);
    glUniform4fv(locations.uniform(program, "ks"), 1, &material->ks[0]);

    const GLint vertex = enableAttribute(locations, program, {"vertex", 3, 0});
    const GLint normal = enableAttribute(locations, program, {"normal", 3, 12 * n});
    const GLint texCoord = enableAttribute(locations, program, {"texCoord", 2, 24 * n});
    glDrawElements(GL_TRIANGLES, 3 * mesh->faceCount, GL_UNSIGNED_INT, nullptr);

    glBindTexture(GL_TEXTURE_2D, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    disableAttribute(vertex);
    disableAttribute(normal);
    disableAttribute(texCoord);
}

void SceneObject::drawMeshDepth() {
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glUniformMatrix4fv(locations.uniform(program, "model"), 1, GL_FALSE, &modelMatrix[0][0]);
    const GLint vertex = enableAttribute(locations, program, {"vertex", 3, 0});
    glDrawElements(GL_TRIANGLES, 3 * mesh->faceCount, GL_UNSIGNED_INT, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    disableAttribute(vertex);
}

void SceneObject::deleteBuffers() {
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
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
