#pragma once

#include "physics/ActorTag.h"
#include "physics/engine/Actor.h"

#include <cstdint>
#include <utility>

// The physics reports reach the game objects only through the tag on each actor.
// An object without an actor, or an actor made after the tags were handed out, has
// no tag: both read as never touched.
inline ActorTag* tagOf(const physics::Actor* actor) {
    return actor ? static_cast<ActorTag*>(actor->userData) : nullptr;
}

// Whether anything touched the actor since the last look, clearing the flag: however
// many hits came in between, an object reacts once per update.
inline bool takeTouch(const physics::Actor* actor) {
    ActorTag* tag = tagOf(actor);
    if (!tag || tag->touched == 0) {
        return false;
    }
    tag->touched = 0;
    return true;
}

// The reports since the last look, clearing them. A trigger gets one for each physics
// step (a 60th of a second) the flame spent inside it, however the steps fell into
// frames: what it costs per step is then the same at any frame rate.
inline std::uint32_t takeTouches(const physics::Actor* actor) {
    ActorTag* tag = tagOf(actor);
    if (!tag) {
        return 0;
    }
    return std::exchange(tag->touched, 0u);
}
