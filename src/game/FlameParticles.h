#pragma once

#include "render/PointBuffer.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>
#include <vector>

class Camera;

// The flame: up to 2000 particles emitted around the character, rising along curved
// paths, sorted back to front and drawn as points that the particle program turns
// into glowing sprites. All memory is allocated once.
class FlameParticles {
public:
    static constexpr int kCapacity = 2000;

    FlameParticles(int emitCount, float lifeRange, float speed);
    FlameParticles(const FlameParticles&) = delete;
    FlameParticles& operator=(const FlameParticles&) = delete;

    // The GPU buffer the sorted particles are written to.
    void createBuffer() { points.create(); }
    void update(double dt);
    void draw();

    // The particles as last written for drawing: xyz and remaining life, back to front.
    const glm::vec4* drawList() const { return drawOrder.data(); }

    std::uint32_t texture = 0;
    std::uint32_t program = 0;
    PointBuffer points{kCapacity};
    const glm::mat4* model = nullptr;
    const Camera* camera = nullptr;
    int emitCount;
    std::array<std::vector<glm::vec4>, 2> positions; // xyz and remaining life
    std::array<std::vector<glm::vec3>, 2> velocities;
    int current = 0;
    int liveCount = 0;
    float speed;
    int lifeRange;
    float emitHeight = 1.0f; // emission centre above the character, in its frame
    bool growing = true;
    double lastToggle = 5.0;

private:
    void age(float dt, int& n);
    void emit(int& n);

    std::vector<glm::vec4> drawOrder;
};
