#pragma once

#include <glm/mat4x4.hpp>

#include <cstdint>

class Character;

// The view state every pass reads: the matrices it uploads ("perspective", "view",
// "ortho"), the light matrices of the depth pass, and the program each pass
// uploads them to.
class Camera {
public:
    // Builds perspective and ortho from the window's real client size.
    void setupProjections();

    glm::mat4 view{1.0f};
    glm::mat4 perspective{1.0f};
    glm::mat4 ortho{1.0f};
    glm::mat4 lightView{1.0f};
    glm::mat4 lightProjection{1.0f};
    std::uint32_t simpleProgram = 0;
    std::uint32_t fontProgram = 0;
    std::uint32_t particleProgram = 0;
    std::uint32_t depthProgram = 0;
    std::uint32_t shadowProgram = 0;
    std::uint32_t waterProgram = 0;
    std::uint32_t waterPlaneProgram = 0;
    Character* character = nullptr;
};

// Projection with a vertical field of view in degrees, the frustum way: the half
// height at the near plane is tan(fovy / 2) * near.
glm::mat4 perspectiveMatrix(float fovyDegrees, float aspect, float near, float far);
glm::mat4 orthoMatrix(float left, float right, float bottom, float top, float near, float far);
