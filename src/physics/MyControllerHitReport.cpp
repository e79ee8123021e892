#include "physics/MyControllerHitReport.h"

#include "physics/ActorTag.h"
#include "physics/CollisionGroups.h"
#include "physics/engine/Actor.h"

namespace {
// Impulse per unit of mass and of sweep length.
constexpr float kPushFactor = 10.0f;
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
    // Only level pushes: a box hit from below or above stays where it is.
    if (group == GROUP_PUSHABLE && actor.isDynamic() && hit.dir.y == 0.0f) {
        const float coefficient = actor.getMass() * hit.length * kPushFactor;
        actor.addForceAtLocalPos(hit.dir * coefficient, glm::vec3(0.0f),
                                 physics::ForceMode::Impulse, true);
    }
    return physics::ActionNone;
}
