#pragma once

#include <btBulletCollisionCommon.h>

namespace physics {

class Actor;
class Shape;

// The actor behind a collision object of a scene; null for one that is none of ours
// (a controller's probe).
Actor* actorOf(const btCollisionObject* object);

// The collision engine names a compound's part by its index; any other shape is the
// actor's only one. Null when the object is none of ours.
Shape* shapeOf(const btCollisionObject* object, int partIndex);

// Which shapes a query between steps sees: non-trigger shapes of the groups in the
// mask, never those of the ignored actor. A shape in a group beyond the mask's 32
// bits is never seen.
struct QueryFilter {
    unsigned groups = ~0u;
    const Actor* ignore = nullptr;

    bool sees(const Shape& shape) const;
    // Whether any shape of the proxy's actor is seen: the broadphase's early out.
    bool seesAnyShapeOf(const btBroadphaseProxy* proxy) const;
};

} // namespace physics
