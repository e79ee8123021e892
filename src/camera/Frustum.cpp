#include "camera/Frustum.h"

#include <array>

Frustum frustum;

void setCullingMatrices(const glm::mat4& projection, const glm::mat4& view) {
    frustum.cullProjection = projection;
    frustum.cullView = view;
}

bool isInFrustum(const glm::mat4& modelMatrix, const glm::vec4* corners) {
    if (!frustum.frustumCulling) {
        return true;
    }
    return isBoxInClipSpace(frustum.cullProjection * frustum.cullView * modelMatrix, corners);
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
