#pragma once

#include "physics/engine/SweepHit.h"
#include "physics/engine/internal/QueryFilter.h"

#include <glm/vec3.hpp>

namespace physics {

// Sweeps a convex shape from `from` along the unit direction for `length` and returns
// the nearest shape the filter sees. Continuous, so a sweep of any length stops at the
// first thing in the way. A surface only grazed, met sideways, does not stand in the
// way (a wall beside a capsule moving down). No hit for a length that is not positive.
SweepHit sweepConvex(const btCollisionWorld& world, const btConvexShape& shape,
                     const glm::vec3& from, const glm::vec3& direction, float length,
                     const QueryFilter& filter);

} // namespace physics
