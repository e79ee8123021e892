#include "physics/engine/internal/GroupFilter.h"

#include "physics/engine/Actor.h"
#include "physics/engine/GroupCollisionTable.h"

#include <BulletCollision/CollisionDispatch/btCollisionObject.h>

namespace physics {

namespace {

const Actor* actorOf(const btBroadphaseProxy* proxy) {
    const auto* object = static_cast<const btCollisionObject*>(proxy->m_clientObject);
    return object ? static_cast<const Actor*>(object->getUserPointer()) : nullptr;
}

} // namespace

bool GroupFilter::needBroadphaseCollision(btBroadphaseProxy* proxy0,
                                          btBroadphaseProxy* proxy1) const {
    // Bullet's own rule, which this filter replaces: the masks keep static and
    // kinematic bodies from pairing with each other.
    const bool masksMeet = (proxy0->m_collisionFilterGroup & proxy1->m_collisionFilterMask) != 0 &&
                           (proxy1->m_collisionFilterGroup & proxy0->m_collisionFilterMask) != 0;
    if (!masksMeet) {
        return false;
    }
    const Actor* a = actorOf(proxy0);
    const Actor* b = actorOf(proxy1);
    return !a || !b || groupsMeet(*a, *b, table);
}

bool GroupFilter::groupsMeet(const Actor& a, const Actor& b, const GroupCollisionTable& table) {
    for (unsigned i = 0; i < a.getNbShapes(); ++i) {
        for (unsigned j = 0; j < b.getNbShapes(); ++j) {
            if (table.get(a.getShape(i).getGroup(), b.getShape(j).getGroup())) {
                return true;
            }
        }
    }
    return false;
}

} // namespace physics
