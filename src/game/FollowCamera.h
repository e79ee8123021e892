#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace physics {
class Scene;
class Actor;
} // namespace physics

// The camera behind the flame, kept where it can see it. The flame's camera offset says
// where the camera wants to be: above and behind the flame, tilted and zoomed by the
// player. When something solid (a wall, a step, a crate) lies between the flame and that
// place, the camera comes in along the line from the flame to just in front of it, and
// eases back out once the way is clear; it never sinks below the surface under it.
// With nothing in the way the view is exactly the offset's.
class FollowCamera {
public:
    // How close an obstacle may bring the camera to the flame.
    static constexpr float kNearest = 0.5f;
    // The radius of the sphere swept for the camera: it keeps that far from surfaces.
    static constexpr float kRadius = 0.3f;
    // Kept between the camera and the surface below it: the sweep's own margin.
    static constexpr float kAboveGround = kRadius;
    // The flame burns this far above the body's centre (as its light does): the camera
    // keeps that point in sight, and so the flame where the picture had it.
    static constexpr float kFlameAboveBody = 1.5f;
    // How fast the camera backs out again, as a share of the way per second.
    static constexpr float kEaseOut = 4.0f;

    // The view for this frame: `wanted` is the offset's view (cameraOffset times the
    // inverse of the flame's model matrix), `body` the centre of the flame's body,
    // `ignore` its own actor. A null scene leaves the view as wanted.
    glm::mat4 view(const glm::mat4& wanted, const glm::vec3& body, const physics::Scene* scene,
                   const physics::Actor* ignore, float dt);

    // Forgets the pull-in, for a new flame (a restart or another level).
    void reset() { distance = -1.0f; }

    // Whether the last view was pulled in or lifted from the wanted one.
    bool moved = false;

private:
    float distance = -1.0f; // from the flame towards the wanted place; < 0: not yet placed
};
