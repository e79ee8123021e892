#pragma once

#include <BulletCollision/BroadphaseCollision/btOverlappingPairCache.h>

namespace physics {

class Actor;
class GroupCollisionTable;

// Bullet's broadphase asks this before it pairs two bodies: static bodies never pair
// with each other, and two actors pair when any of their shapes' groups meet.
class GroupFilter : public btOverlapFilterCallback {
public:
    explicit GroupFilter(const GroupCollisionTable& table) : table(table) {}

    bool needBroadphaseCollision(btBroadphaseProxy* proxy0,
                                 btBroadphaseProxy* proxy1) const override;

    // True when some shape of one actor meets some shape of the other.
    static bool groupsMeet(const Actor& a, const Actor& b, const GroupCollisionTable& table);

private:
    const GroupCollisionTable& table;
};

} // namespace physics
