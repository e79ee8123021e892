#include "camera/Camera.h"

#include "platform/Platform.h"

#include <cmath>

namespace {
// Degrees to radians as the game has always converted them: pi in single precision
// (3.14159265f) over 180, computed in double.
const double kDegreesToRadians = static_cast<double>(3.14159265f) / 180.0;
} // namespace

glm::mat4 perspectiveMatrix(float fovyDegrees, float aspect, float near, float far) {
    const float range = static_cast<float>(std::tan(fovyDegrees / 2.0 * kDegreesToRadians)) * near;
    const float left = -range * aspect;
    const float right = range * aspect;
    const float bottom = -range;
    const float top = range;
    glm::mat4 m(0.0f);
    m[0][0] = 2.0f * near / (right - left);
    m[1][1] = 2.0f * near / (top - bottom);
    m[2][2] = -(far + near) / (far - near);
    m[2][3] = -1.0f;
    m[3][2] = -2.0f * far * near / (far - near);
    return m;
}

glm::mat4 orthoMatrix(float left, float right, float bottom, float top, float near, float far) {
    glm::mat4 m(1.0f);
    m[0][0] = 2.0f / (right - left);
    m[1][1] = 2.0f / (top - bottom);
    m[2][2] = -2.0f / (far - near);
    m[3][0] = -(right + left) / (right - left);
    m[3][1] = -(top + bottom) / (top - bottom);
    m[3][2] = -(far + near) / (far - near);
    return m;
}

void Camera::setupProjections() {
    int width = 0;
    int height = 0;
    platform::window().getSize(width, height);
    if (width <= 0 || height <= 0) {
        return; // no window: keep the identity matrices rather than divide by zero
    }
    // Overlay coordinates are pixels with the origin in the window centre, y up.
    ortho = orthoMatrix(static_cast<float>(-(width / 2)), width * 0.5f,
                        static_cast<float>(-(height / 2)), height * 0.5f, -0.1f, 0.1f);
    perspective = perspectiveMatrix(60.0f, static_cast<float>(width) / static_cast<float>(height),
                                    0.1f, 1000.0f);
}
