#pragma once

#include "game/Entity.h"

// An invisible collision volume: it blocks the character and casts no light of its
// own, but it still writes its shape into the shadow maps when a pass asks.
class CollisionBox : public Entity {
public:
    CollisionBox(const std::string& meshFile, std::uint32_t program,
                 const std::string& materialFile, const glm::mat4& modelMatrix)
        : Entity(meshFile, program, materialFile, modelMatrix) {}
    void update(double) override {}
    void draw() override {}
    void describe(DrawRecord& record) const override {
        Entity::describe(record);
        record.meshVisible = false;
    }
};
