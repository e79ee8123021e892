#pragma once

#include "game/SceneObject.h"

// The player's side of the object tree: the same members and operations as an
// Entity, without the culling and pass flags (the character is always updated and
// drawn by its own pass).
class CharacterEntity : public SceneObject {
public:
    CharacterEntity(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                    const std::string& materialFile, const glm::mat4& modelMatrix)
        : SceneObject(meshFile, texture, program, materialFile, modelMatrix) {}

    virtual void setup() { createBuffers(); }
    virtual void update(double dt) = 0;
    virtual void draw() { drawMesh(); }
    virtual void drawDepth() { drawMeshDepth(); }
    virtual void releaseBuffers() { deleteBuffers(); }
};
