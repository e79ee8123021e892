#pragma once

#include <glm/vec3.hpp>

namespace physics {

// An axis-aligned box, given by its lowest and highest corners.
struct Bounds {
    glm::vec3 min{0.0f};
    glm::vec3 max{0.0f};

    glm::vec3 halfExtents() const { return (max - min) * 0.5f; }
    glm::vec3 centre() const { return (max + min) * 0.5f; }
};

} // namespace physics
