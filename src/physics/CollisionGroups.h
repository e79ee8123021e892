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

// What the character's moves collide with: the level and the boxes. The capsule stops
// at a box and the hit report pushes it; a capsule let into the boxes would have the
// simulation throw them out of it at any speed.
constexpr unsigned kCharacterMoveGroups = groupMask(GROUP_SOLID) | groupMask(GROUP_PUSHABLE);
// The placed level alone, for the fans' throw, which passes the boxes lying about.
constexpr unsigned kLevelGroups = groupMask(GROUP_SOLID);

// Puts every shape of the actor into the group, from the last shape to the first.
// A null actor (a level object that got none) is left alone.
void setActorCollisionGroup(physics::Actor* actor, std::uint16_t group);
