#pragma once

#include "physics/engine/SweepHit.h"
#include "physics/engine/internal/QueryFilter.h"

#include <glm/vec3.hpp>

#include <memory>

namespace physics {

class Actor;
class Shape;

// The collision queries of one capsule controller: sweeps of the capsule grown by the
// skin width, and the overlap test that gets it out of anything that moved into it.
// Both see only non-trigger shapes of the active groups and never the capsule's own
// actor. They run on the game thread between steps.
class CapsuleSweep {
public:
    using Hit = SweepHit;

    CapsuleSweep(float radius, float height, float skinWidth, const Actor& self);
    ~CapsuleSweep();
    CapsuleSweep(const CapsuleSweep&) = delete;
    CapsuleSweep& operator=(const CapsuleSweep&) = delete;

    void setActiveGroups(unsigned groups) { filter.groups = groups; }

    // Sweeps from `from` along the unit direction for `length`. Continuous, so a sweep
    // of any length stops at the first thing in the way.
    Hit sweep(btCollisionWorld& world, const glm::vec3& from, const glm::vec3& direction,
              float length) const;

    // Where the capsule centred at `position` has to go to stand clear, by the skin
    // width, of every shape it overlaps; `position` itself when it overlaps none.
    glm::vec3 depenetrate(btCollisionWorld& world, const glm::vec3& position);

    // The surface under a point of contact, found by a short ray straight down beside
    // it, on the side away from `centre`: at the edge of a step that is the step's top,
    // not the edge that the collision engine rounds by its margin. No hit when the ray meets
    // nothing facing up.
    Hit surfaceBelow(btCollisionWorld& world, const glm::vec3& contact, const glm::vec3& centre,
                     float reach) const;

    // Whether the sweeps and the overlap test see this shape.
    bool sees(const Shape& shape) const { return filter.sees(shape); }

private:
    QueryFilter filter;
    float skinWidth;
    std::unique_ptr<btCapsuleShape> sweepShape; // grown by the skin width
    std::unique_ptr<btCapsuleShape> bodyShape;
    std::unique_ptr<btCollisionObject> probe;
};

} // namespace physics
