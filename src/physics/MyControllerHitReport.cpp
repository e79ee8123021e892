#include "physics/MyControllerHitReport.h"

#include "physics/ActorTag.h"
#include "physics/CollisionGroups.h"
#include "physics/engine/Actor.h"

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include <algorithm>

namespace {
// Speed given per unit of sweep length, each time the flame walks into a box.
constexpr float kPushFactor = 10.0f;
// A box walked into goes no faster than the flame walks.
constexpr float kMaxPushSpeed = 40.0f;
} // namespace

physics::ControllerAction
MyControllerHitReport::onShapeHit(const physics::ControllerShapeHit& hit) {
    if (!hit.shape) {
        return physics::ActionNone;
    }
    const std::uint16_t group = hit.shape->getGroup();
    physics::Actor& actor = hit.shape->getActor();
    if (auto* tag = static_cast<ActorTag*>(actor.userData)) {
        tag->touched = 1;
        tag->hitDirection = hit.dir;
    }
    // Only level pushes: a box hit from below or above stays where it is. Each push
    // adds speed along the walk, up to the walking speed; it acts where the flame
    // touched, so a crate pushed high tips over.
    if (group == GROUP_PUSHABLE && actor.isDynamic() && hit.dir.y == 0.0f) {
        const float along = glm::dot(actor.getLinearVelocity(), hit.dir);
        const float change = std::min(hit.length * kPushFactor, kMaxPushSpeed - along);
        if (change > 0.0f) {
            const physics::Pose pose = actor.getGlobalPose();
            const glm::vec3 local =
                glm::transpose(pose.rotation) * (glm::vec3(hit.worldPos) - pose.translation);
            actor.addForceAtLocalPos(hit.dir * change, local, physics::ForceMode::VelocityChange,
                                     true);
        }
    }
    return physics::ActionNone;
}
