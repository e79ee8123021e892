#include "camera/Frustum.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <array>
#include <cmath>

void Frustum::setCullingMatrices(const glm::mat4& projection, const glm::mat4& view) {
    cullProjection = projection;
    cullView = view;
}

bool Frustum::isInFrustum(const glm::mat4& modelMatrix, const glm::vec4* corners) const {
    if (!frustumCulling) {
        return true;
    }
    return isBoxInClipSpace(cullProjection * cullView * modelMatrix, corners);
}

bool isBoxInClipSpace(const glm::mat4& toClip, const glm::vec4* corners) {
    std::array<int, 6> outside{}; // right, left, top, bottom, far, near
    for (int i = 0; i < 8; ++i) {
        const glm::vec4 q = toClip * corners[i];
        outside[0] += q.x > q.w;
        outside[1] += q.x < -q.w;
        outside[2] += q.y > q.w;
        outside[3] += q.y < -q.w;
        outside[4] += q.z > q.w;
        outside[5] += q.z < -q.w;
    }
    for (const int count : outside) {
        if (count == 8) {
            return false;
        }
    }
    return true;
}

std::array<glm::vec4, 6> clipPlanes(const glm::mat4& toClip) {
    const auto row = [&](int r) {
        return glm::vec4(toClip[0][r], toClip[1][r], toClip[2][r], toClip[3][r]);
    };
    std::array<glm::vec4, 6> planes{row(3) + row(0), row(3) - row(0), row(3) + row(1),
                                    row(3) - row(1), row(3) + row(2), row(3) - row(2)};
    // Unit normals, so that a plane's value at a point is its distance.
    for (glm::vec4& plane : planes) {
        const float length = glm::length(glm::vec3(plane));
        if (length > 0.0f) {
            plane /= length;
        }
    }
    return planes;
}

Sphere sphereInWorld(const glm::mat4& modelMatrix, const glm::vec3& centre, float radius) {
    const auto squared = [&](int c) {
        return glm::dot(glm::vec3(modelMatrix[c]), glm::vec3(modelMatrix[c]));
    };
    return {glm::vec3(modelMatrix * glm::vec4(centre, 1.0f)),
            radius * std::sqrt(std::max({squared(0), squared(1), squared(2)}))};
}

bool isBoxInClipSpace(const std::array<glm::vec4, 6>& planes, const glm::mat4& toClip,
                      const glm::mat4& modelMatrix, const glm::vec4* corners,
                      const Sphere& world) {
    // Room for the rounding of the two ways of getting there (world planes here,
    // clip space in the box test), so that the answer is always the box test's.
    const float margin = 0.01f + 0.001f * world.radius;
    bool inside = true;
    for (const glm::vec4& plane : planes) {
        const float distance = glm::dot(glm::vec3(plane), world.centre) + plane.w;
        if (distance < -(world.radius + margin)) {
            return false; // all eight corners beyond this plane
        }
        inside = inside && distance > world.radius + margin;
    }
    return inside || isBoxInClipSpace(toClip * modelMatrix, corners);
}

bool Frustum::isInFrustum(const std::array<glm::vec4, 6>& planes, const glm::mat4& modelMatrix,
                          const glm::vec4* corners, const glm::vec3& centre, float radius) const {
    if (!frustumCulling) {
        return true;
    }
    return isBoxInClipSpace(planes, cullProjection * cullView, modelMatrix, corners,
                            sphereInWorld(modelMatrix, centre, radius));
}
