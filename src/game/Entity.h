#pragma once

#include "game/SceneObject.h"
#include "render/DrawRecord.h"

class GameWorld;

// A level object as the Director drives it: setup once, update every frame it is in
// view (or always, with updateWhenCulled), drawn lit and into the shadow maps.
class Entity : public SceneObject {
public:
    Entity(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
           const std::string& materialFile, const glm::mat4& modelMatrix)
        : SceneObject(meshFile, texture, program, materialFile, modelMatrix) {}
    // An untextured object.
    Entity(const std::string& meshFile, std::uint32_t program, const std::string& materialFile,
           const glm::mat4& modelMatrix)
        : SceneObject(meshFile, 0, program, materialFile, modelMatrix) {}

    // Told of the world it belongs to, before setup; most objects need nothing of it.
    virtual void joinWorld(GameWorld& /*world*/) {}
    virtual void setup() { createBuffers(); }
    virtual void update(double dt) = 0;
    virtual void draw() { drawMesh(); }
    virtual void drawDepth() { drawMeshDepth(); }
    virtual void releaseBuffers() { deleteBuffers(); }

    void describe(DrawRecord& record) const override {
        SceneObject::describe(record);
        record.skipLitPasses = skipLitPasses;
        record.drawInWaterPass = drawInWaterPass;
    }

    bool updateWhenCulled = false;
    bool skipLitPasses = false;   // neither in the depth pass nor in the lit pass
    bool drawInWaterPass = false; // drawn by the water pass, paired with the character
};
