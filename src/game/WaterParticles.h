#pragma once

#include "render/PointBuffer.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>
#include <vector>

class PhysicsWorld;

// Water spray: up to 1000 particles shot from the emitter's origin along a direction
// with a random spread, falling under the scene's gravity until their lifetime is up,
// drawn unsorted as points that the water programs turn into sprites. All memory is
// allocated once.
class WaterParticles {
public:
    static constexpr int kCapacity = 1000;

    // A zero direction stays zero: such an emitter only sprays its spread.
    WaterParticles(const glm::vec3& direction, int emitCount, float spread, float lifetime,
                   float speed);
    WaterParticles(const WaterParticles&) = delete;
    WaterParticles& operator=(const WaterParticles&) = delete;

    // The GPU buffer the live particles are written to.
    void createBuffer() { points.create(); }
    void update(double dt);
    // Draws the live particles with `program`, which the caller has made current, and
    // without writing depth: the spray is see-through.
    void draw();

    // The start velocity for three random differences: the direction plus the spread
    // along the differences' direction, or the plain direction when all three are 0.
    static glm::vec3 startVelocity(const glm::vec3& direction, float spread,
                                   const glm::vec3& differences);

    // The live particles as last written for drawing: xyz and a random value.
    const glm::vec4* drawList() const { return positions[current].data(); }

    std::uint32_t texture = 0;
    std::uint32_t program = 0;
    PointBuffer points{kCapacity};
    const PhysicsWorld* physicsWorld = nullptr; // its gravity pulls the water down
    const glm::mat4* model = nullptr;           // emitter origin and draw transform
    int emitCount;
    std::array<std::vector<glm::vec4>, 2> positions;  // xyz and a random value
    std::array<std::vector<glm::vec4>, 2> velocities; // xyz and remaining life
    int current = 0;
    int liveCount = 0;
    float speed;
    float spread;
    glm::vec3 direction;
    float lifetime;

private:
    void age(float dt, int& n);
    void emit(int& n);
};
