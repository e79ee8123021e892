#include "physics/CollisionGroups.h"

#include "physics/engine/Actor.h"

void setActorCollisionGroup(physics::Actor* actor, std::uint16_t group) {
    if (!actor) {
        return;
    }
    for (unsigned i = actor->getNbShapes(); i-- > 0;) {
        actor->getShape(i).setGroup(group);
    }
}
