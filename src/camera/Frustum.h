#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>

// The view-frustum test of every entity's bounding box. The matrices are those of
// the previous frame's camera (identity before the first frame).
struct Frustum {
    glm::mat4 cullProjection{1.0f};
    glm::mat4 cullView{1.0f};
    bool frustumCulling = false;

    void setCullingMatrices(const glm::mat4& projection, const glm::mat4& view);

    // False only when all 8 corners lie outside the same clip plane; with culling off
    // everything is visible.
    bool isInFrustum(const glm::mat4& modelMatrix, const glm::vec4* corners) const;

    // The same answer, decided from a sphere where it can be: `planes` are the clip
    // planes of the culling matrices (clipPlanes(cullProjection * cullView)), and the
    // sphere (centre, radius in the model's frame) holds the box.
    bool isInFrustum(const std::array<glm::vec4, 6>& planes, const glm::mat4& modelMatrix,
                     const glm::vec4* corners, const glm::vec3& centre, float radius) const;
};

// The same test for any projection: false only when all 8 corners, taken to clip
// space by `toClip`, lie outside the same clip plane. Such a box cannot put a single
// fragment on screen.
bool isBoxInClipSpace(const glm::mat4& toClip, const glm::vec4* corners);

// The six planes that bound clip space (-w <= x, y, z <= w), taken back through
// `toClip` into the space it starts from: a point p is inside every plane where
// dot(plane, (p, 1)) >= 0. Order: left, right, bottom, top, near, far.
std::array<glm::vec4, 6> clipPlanes(const glm::mat4& toClip);

struct Sphere {
    glm::vec3 centre{0.0f};
    float radius = 0.0f;
};

// A sphere in the model's frame taken into the world: the centre moved by the model
// matrix, the radius stretched by the most the matrix stretches any direction (its
// longest column), so it still holds whatever it held.
Sphere sphereInWorld(const glm::mat4& modelMatrix, const glm::vec3& centre, float radius);

// isBoxInClipSpace(toClip * modelMatrix, corners), decided from a sphere around the
// box where it can be: `planes` are clipPlanes(toClip), the sphere is in the world. A
// sphere clearly outside one plane or clearly inside all of them decides; only one
// that straddles a plane needs the corners.
bool isBoxInClipSpace(const std::array<glm::vec4, 6>& planes, const glm::mat4& toClip,
                      const glm::mat4& modelMatrix, const glm::vec4* corners,
                      const Sphere& world);
