#include "game/Box.h"

#include "physics/engine/Actor.h"

void Box::setup() {
    Entity::setup();
    // Pushed out of view, a box must still be followed, or its stale place would
    // keep it culled for good.
    dynamic = actor && actor->isDynamic();
    updateWhenCulled = dynamic;
}

void Box::update(double) {
    if (dynamic) {
        syncFromActor();
    }
}
