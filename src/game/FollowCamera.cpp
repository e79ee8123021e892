#include "game/FollowCamera.h"

#include "physics/CollisionGroups.h"
#include "physics/engine/Scene.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

#include <algorithm>
#include <cmath>

namespace {

// What hides the flame: the placed level and the boxes lying about. Water does not.
constexpr unsigned kSightGroups = groupMask(GROUP_SOLID) | groupMask(GROUP_PUSHABLE);

} // namespace

glm::mat4 FollowCamera::view(const glm::mat4& wanted, const glm::vec3& body,
                             const physics::Scene* scene, const physics::Actor* ignore, float dt) {
    const glm::vec3 flame = body + glm::vec3(0.0f, kFlameAboveBody, 0.0f);
    const glm::mat4 toWorld = glm::inverse(wanted);
    const glm::vec3 wantedPosition(toWorld[3]);
    moved = false;
    const float full = glm::length(wantedPosition - flame);
    if (!scene || !(full > kNearest)) {
        distance = -1.0f;
        return wanted;
    }
    // In and out along the line from the flame: on it, the flame keeps its place in
    // the picture, as the view keeps its direction.
    const glm::vec3 away = (wantedPosition - flame) / full;
    float allowed = full;
    const physics::SweepHit back =
        scene->sweepSphere(flame, wantedPosition, kRadius, kSightGroups, ignore);
    if (back.hit) {
        allowed = std::max(back.distance, kNearest);
    }
    if (distance < 0.0f || allowed <= distance) {
        distance = allowed; // in at once, so the flame is never hidden
    } else {
        distance += (allowed - distance) * (1.0f - std::exp(-kEaseOut * std::max(dt, 0.0f)));
        if (allowed - distance < 0.01f) {
            distance = allowed;
        }
    }
    glm::vec3 placed = distance >= full ? wantedPosition : flame + away * distance;

    // Not below the surface under it, looked for from the flame's height down: a
    // camera that would see the undersides of the floor looks from above it instead.
    const glm::vec3 above(placed.x, std::max(flame.y, placed.y), placed.z);
    const glm::vec3 below(placed.x, placed.y - kAboveGround, placed.z);
    const physics::SweepHit ground =
        scene->sweepSphere(above, below, kRadius, kSightGroups, ignore);
    if (ground.hit) {
        const float surface = above.y - ground.distance - kRadius;
        if (placed.y < surface + kAboveGround) {
            placed.y = surface + kAboveGround;
        }
    }
    if (placed == wantedPosition) {
        return wanted;
    }
    moved = true;
    // Nearer the flame, the camera turns towards it: from the wanted place it looks
    // where the wanted view does (past the flame, along its line of sight), and the
    // closer it comes, the more straight at the flame, so that the flame stays in the
    // picture with the ground ahead of it.
    const glm::vec3 forward = -glm::normalize(glm::vec3(toWorld[2]));
    const glm::vec3 past = wantedPosition + forward * glm::dot(flame - wantedPosition, forward);
    const glm::vec3 target = glm::mix(flame, past, std::clamp(distance / full, 0.0f, 1.0f));
    if (glm::length(target - placed) < 1e-3f) {
        glm::mat4 result = wanted;
        result[3] = glm::vec4(-(glm::mat3(wanted) * placed), 1.0f);
        return result;
    }
    return glm::lookAt(placed, target, glm::normalize(glm::vec3(toWorld[1])));
}
