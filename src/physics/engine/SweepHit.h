#pragma once

#include <glm/vec3.hpp>

namespace physics {

class Shape;

// The first shape a swept volume meets.
struct SweepHit {
    bool hit = false;
    float distance = 0.0f;  // how far the volume can go before touching
    glm::vec3 normal{0.0f}; // of the surface met, facing back along the sweep
    glm::vec3 point{0.0f};  // where the two touch
    Shape* shape = nullptr;
};

} // namespace physics
