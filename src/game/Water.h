#pragma once

#include "game/Entity.h"
#include "game/WaterParticles.h"

#include <memory>

// Animated water: a jet (in a trigger volume) or a pool surface (on a solid box), drawn
// as particles in the water pass instead of as a mesh. While the flame is in contact
// with it, every update costs a hundredth of the flame.
class Water : public Entity {
public:
    // directionAndCount: the particle direction in xyz and the particles emitted per
    // update in w (truncated).
    Water(const std::string& meshFile, std::uint32_t texture, std::uint32_t program, float spread,
          float lifetime, float speed, const std::string& materialFile,
          const glm::mat4& modelMatrix, const glm::vec4& directionAndCount);

    // Readies the particles; the mesh gets no buffers, since it is never drawn.
    void setup() override;
    void update(double dt) override;
    void draw() override;
    // The spray instead of the mesh, drawn without writing depth.
    void describe(DrawRecord& record) const override;
    void releaseBuffers() override {}

    std::unique_ptr<WaterParticles> particles;
};
