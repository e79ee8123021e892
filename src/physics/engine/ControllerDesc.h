#pragma once

#include <glm/vec3.hpp>

#include <cmath>

namespace physics {

class UserControllerHitReport;

enum class UpAxis { X = 0, Y = 1, Z = 2 };
enum class InteractionFlag { Include = 0, Exclude = 1, UseFilter = 2 };
enum class CapsuleClimbingMode { Easy = 0, Constrained = 1 };

// How a capsule controller is made. Position is the capsule's centre; height is the
// distance between the centres of its half spheres, so it stands height + 2 radius
// tall. slopeLimit is the cosine of the steepest walkable slope.
struct CapsuleControllerDesc {
    glm::dvec3 position{0.0};
    float radius = 0.0f;
    float height = 0.0f;
    float skinWidth = 0.1f;
    float slopeLimit = 0.707f;
    float stepOffset = 0.5f;
    UpAxis upDirection = UpAxis::Y;
    UserControllerHitReport* callback = nullptr;
    InteractionFlag interactionFlag = InteractionFlag::Include;
    void* userData = nullptr;
    CapsuleClimbingMode climbingMode = CapsuleClimbingMode::Easy;

    // Our controllers walk on Y-up worlds only.
    bool isValid() const {
        return std::isfinite(position.x) && std::isfinite(position.y) &&
               std::isfinite(position.z) && radius > 0.0f && std::isfinite(radius) &&
               height >= 0.0f && std::isfinite(height) && skinWidth >= 0.0f && skinWidth < radius &&
               stepOffset >= 0.0f && std::isfinite(stepOffset) && slopeLimit >= 0.0f &&
               slopeLimit <= 1.0f && upDirection == UpAxis::Y;
    }
};

} // namespace physics
