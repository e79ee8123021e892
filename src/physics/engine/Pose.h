#pragma once

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace physics {

// A rigid placement: rotation and translation (the SDK's 3 x 4 pose).
struct Pose {
    glm::mat3 rotation{1.0f};
    glm::vec3 translation{0.0f};

    static Pose fromTranslation(const glm::vec3& t) { return Pose{glm::mat3(1.0f), t}; }

    glm::mat4 toMatrix() const {
        glm::mat4 m(rotation);
        m[3] = glm::vec4(translation, 1.0f);
        return m;
    }
};

} // namespace physics
