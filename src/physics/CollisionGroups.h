#pragma once

#include <cstdint>

namespace physics {
class Actor;
}

// The collision groups the game puts its shapes in.
enum CollisionGroup : std::uint16_t {
    GROUP_DEFAULT = 0,  // the character's capsule, and every new shape
    GROUP_SOLID = 1,    // placed level objects: what the character walks on and into
    GROUP_PUSHABLE = 2, // dynamic boxes
    GROUP_TRIGGER = 3,  // water volumes
};

// The bit of a group in an active-groups mask (a controller move, a scene query).
constexpr unsigned groupMask(CollisionGroup group) {
    return 1u << group;
}

// What the character's moves collide with: the level, not the boxes, which the
// simulation pushes out of its way.
constexpr unsigned kCharacterMoveGroups = groupMask(GROUP_SOLID);

// Puts every shape of the actor into the group, from the last shape to the first.
// A null actor (a level object that got none) is left alone.
void setActorCollisionGroup(physics::Actor* actor, std::uint16_t group);
