#include "game/Box.h"

#include "physics/engine/Actor.h"

void Box::setup() {
    Entity::setup();
    // Pushed out of view, a box must still be followed, or its stale place would
    // keep it culled for good.
    updateWhenCulled = actor && actor->isDynamic();
}

void Box::update(double) {
    if (actor && actor->isDynamic()) {
        syncFromActor();
    }
}
