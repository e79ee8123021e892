#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

// The view-frustum test of every entity's bounding box. The matrices are those of
// the previous frame's camera (identity before the first frame).
struct Frustum {
    glm::mat4 cullProjection{1.0f};
    glm::mat4 cullView{1.0f};
    bool frustumCulling = false;
};

extern Frustum frustum;

void setCullingMatrices(const glm::mat4& projection, const glm::mat4& view);

// False only when all 8 corners lie outside the same clip plane; with culling off
// everything is visible.
bool isInFrustum(const glm::mat4& modelMatrix, const glm::vec4* corners);

// The same test for any projection: false only when all 8 corners, taken to clip
// space by `toClip`, lie outside the same clip plane. Such a box cannot put a single
// fragment on screen.
bool isBoxInClipSpace(const glm::mat4& toClip, const glm::vec4* corners);
