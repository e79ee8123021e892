#include "physics/engine/Controller.h"

#include "physics/engine/Actor.h"
#include "physics/engine/ControllerManager.h"
#include "physics/engine/Scene.h"
#include "physics/engine/internal/ActorImpl.h"
#include "physics/engine/internal/CapsuleSweep.h"
#include "physics/engine/internal/SceneImpl.h"
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace physics {

namespace {

constexpr int kMaxSlides = 8;
// Rising more than this on a steep slope counts as climbing it.
constexpr float kClimbTolerance = 1e-3f;
// How often a move that came down on an edge too high is tried again at half length.
constexpr int kShorterMoves = 3;
const glm::vec3 kUp(0.0f, 1.0f, 0.0f);

bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

Controller::Controller(ControllerManager& manager, Scene& scene, Actor& actor,
                       const CapsuleControllerDesc& desc)
    : manager(manager), scene(scene), actor(actor), position(desc.position), radius(desc.radius),
      height(desc.height), skinWidth(desc.skinWidth), slopeLimit(desc.slopeLimit),
      stepOffset(desc.stepOffset), callback(desc.callback),
      sweeper(std::make_unique<CapsuleSweep>(desc.radius, desc.height, desc.skinWidth, actor)) {}

Controller::~Controller() = default;

void Controller::move(const glm::vec3& displacement, unsigned activeGroups, float minDistance,
                      unsigned& collisionFlags, float /*sharpness*/) {
    collisionFlags = 0;
    if (!isFinite(displacement)) {
        return;
    }
    sweeper->setActiveGroups(activeGroups);
    // Something may have moved into the capsule since the last move: get out first,
    // or every sweep would start stuck.
    const glm::vec3 start = sweeper->depenetrate(scene.impl().world(), glm::vec3(position));

    Attempt result = attempt(start, displacement, stepOffset, minDistance);
    if (result.climbsTooFar || result.liftMetAbove) {
        // The step offset lifted the capsule onto an edge or slope it may not climb:
        // without the lift the side pass meets it as a wall. Or the lift met what
        // floats just over the head (an upgrade, a fan's edge): without the lift the
        // capsule walks under it untouched, and only what a kept move meets is a touch.
        const bool climbedTooFar = result.climbsTooFar && !result.liftMetAbove;
        result = attempt(start, displacement, 0.0f, minDistance);
        if (climbedTooFar && (result.flags & CollisionSides)) {
            result = climbShorter(start, displacement, minDistance, result);
        }
    }
    position = glm::dvec3(result.end);
    collisionFlags = result.flags;
    updateActor();
    report(result.hits);
}

// A long move (a fast walk, a slow frame) can carry the lifted capsule over the step it
// may climb and against the riser after it, where it comes down on that riser's edge,
// and the unlifted move stops at the first riser: a shorter lifted move may come down
// on the step. It is taken only when it climbs and gets further than the unlifted one.
Controller::Attempt Controller::climbShorter(const glm::vec3& start, const glm::vec3& displacement,
                                             float minDistance, const Attempt& unlifted) {
    const auto along = [&](const Attempt& a) {
        return glm::dot(glm::vec2(a.end.x - start.x, a.end.z - start.z),
                        glm::vec2(displacement.x, displacement.z));
    };
    glm::vec3 shorter = displacement;
    for (int i = 0; i < kShorterMoves; ++i) {
        shorter.x *= 0.5f;
        shorter.z *= 0.5f;
        const Attempt step = attempt(start, shorter, stepOffset, minDistance);
        if (step.climbed && !step.liftMetAbove) {
            return along(step) > along(unlifted) ? step : unlifted;
        }
        if (!step.climbsTooFar) {
            break;
        }
    }
    return unlifted;
}

Controller::Attempt Controller::attempt(const glm::vec3& start, const glm::vec3& displacement,
                                        float lift, float minDistance) {
    Attempt result;
    glm::vec3 at = start;
    const float rise = std::max(displacement.y, 0.0f);
    const float fall = std::max(-displacement.y, 0.0f);
    const glm::vec3 side(displacement.x, 0.0f, displacement.z);
    const bool sideways = glm::length(side) > minDistance;
    if (!sideways) {
        lift = 0.0f;
    }

    // Up: the wanted rise, then the step offset on top.
    float lifted = 0.0f;
    if (rise + lift > 0.0f) {
        const float before = at.y;
        const CapsuleSweep::Hit hit = advance(at, kUp, rise + lift, result);
        if (hit.hit && hit.distance < rise) {
            result.flags |= CollisionUp;
        } else if (hit.hit) {
            result.liftMetAbove = true; // only the probe reached it
        }
        lifted = std::max(0.0f, at.y - before - rise);
    }

    // The bottom of the swept capsule: the ground it stood on before the move; and the
    // top of its head after the wanted rise, without the lift.
    const float footStart = start.y - 0.5f * height - radius - skinWidth;
    const float headTop = start.y + rise + 0.5f * height + radius + skinWidth;

    // Sideways, sliding along what is in the way. A contact above the step offset is
    // an edge the capsule's round bottom must not ride over, whatever its normal.
    if (sideways) {
        glm::vec3 remaining = side;
        for (int slide = 0; slide < kMaxSlides; ++slide) {
            const float length = glm::length(remaining);
            if (length <= minDistance || length <= 0.0f) {
                break;
            }
            const glm::vec3 direction = remaining / length;
            const CapsuleSweep::Hit hit = advance(at, direction, length, result);
            if (!hit.hit) {
                break;
            }
            if (lifted > 0.0f && hit.point.y > headTop) {
                result.liftMetAbove = true;
            }
            glm::vec3 normal = hit.normal;
            const bool walkable = normal.y >= slopeLimit && hit.point.y <= footStart + stepOffset;
            if (!walkable) {
                result.flags |= CollisionSides;
                normal.y = 0.0f;
                const float horizontal = glm::length(normal);
                if (horizontal < 1e-4f) {
                    break;
                }
                normal /= horizontal;
            }
            remaining = direction * (length - hit.distance);
            remaining -= glm::dot(remaining, normal) * normal;
            if (glm::dot(remaining, side) <= 0.0f) {
                break; // sliding never turns the capsule back
            }
        }
    }

    // Down: the step offset and the wanted fall. When not rising, a little further
    // finds the ground the capsule stands on, so standing still still reads as standing.
    const float drop = lifted + fall;
    const float reach = drop + (rise > 0.0f ? 0.0f : 2.0f * skinWidth + 1e-3f);
    if (reach > 0.0f) {
        const CapsuleSweep::Hit hit = sweeper->sweep(scene.impl().world(), at, -kUp, reach);
        if (hit.hit) {
            at.y -= hit.distance;
            result.flags |= CollisionDown;
            result.hits.push_back(
                ControllerShapeHit{this, hit.shape, glm::dvec3(hit.point), hit.normal, -kUp, drop});
            // Landing higher than the start is climbing: onto a step no higher than the
            // step offset, or up a walkable slope. The surface beside the contact tells
            // which; a contact on a rounded edge would not.
            if (lift > 0.0f && at.y > start.y + rise + kClimbTolerance) {
                const CapsuleSweep::Hit surface =
                    sweeper->surfaceBelow(scene.impl().world(), hit.point, at, stepOffset);
                const glm::vec3 ground = surface.hit ? surface.point : hit.point;
                const float slope = surface.hit ? surface.normal.y : hit.normal.y;
                result.climbsTooFar = ground.y > footStart + stepOffset || slope < slopeLimit;
                result.climbed = !result.climbsTooFar;
            }
        } else {
            at.y -= drop;
        }
    }
    result.end = at;
    return result;
}

SweepHit Controller::advance(glm::vec3& at, const glm::vec3& direction, float length,
                             Attempt& into) {
    const CapsuleSweep::Hit hit = sweeper->sweep(scene.impl().world(), at, direction, length);
    if (!hit.hit) {
        at += direction * length;
        return hit;
    }
    at += direction * hit.distance;
    into.hits.push_back(
        ControllerShapeHit{this, hit.shape, glm::dvec3(hit.point), hit.normal, direction, length});
    return hit;
}

void Controller::report(const std::vector<ControllerShapeHit>& hits) {
    if (!callback) {
        return;
    }
    for (const ControllerShapeHit& hit : hits) {
        if (Controller* other = manager.controllerOf(&hit.shape->getActor())) {
            callback->onControllerHit(ControllersHit{this, other});
        } else {
            callback->onShapeHit(hit);
        }
    }
}

void Controller::setPosition(const glm::dvec3& newPosition) {
    position = newPosition;
    updateActor();
    // A teleport, not a motion: the next step must not see the actor racing there.
    btRigidBody& body = *actor.impl().body;
    body.setInterpolationWorldTransform(body.getWorldTransform());
}

void Controller::updateActor() {
    actor.setGlobalPose(Pose::fromTranslation(glm::vec3(position)));
}

} // namespace physics
