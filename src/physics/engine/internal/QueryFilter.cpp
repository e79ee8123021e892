#include "physics/engine/internal/QueryFilter.h"

#include "physics/engine/Actor.h"

namespace physics {

Actor* actorOf(const btCollisionObject* object) {
    return object ? static_cast<Actor*>(object->getUserPointer()) : nullptr;
}

Shape* shapeOf(const btCollisionObject* object, int partIndex) {
    const Actor* actor = actorOf(object);
    if (!actor) {
        return nullptr;
    }
    return &actor->shapeForChild(object->getCollisionShape()->isCompound() ? partIndex : 0);
}

bool QueryFilter::sees(const Shape& shape) const {
    const unsigned group = shape.getGroup();
    return !shape.isTrigger() && group < 32 && (groups & (1u << group)) != 0;
}

bool QueryFilter::seesAnyShapeOf(const btBroadphaseProxy* proxy) const {
    const Actor* actor = actorOf(static_cast<const btCollisionObject*>(proxy->m_clientObject));
    if (!actor || actor == ignore) {
        return false;
    }
    for (unsigned i = 0; i < actor->getNbShapes(); ++i) {
        if (sees(actor->getShape(i))) {
            return true;
        }
    }
    return false;
}

} // namespace physics
