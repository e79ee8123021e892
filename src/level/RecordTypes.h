#pragma once

#include "physics/CollisionGroups.h"

#include <cstdint>
#include <memory>
#include <string_view>

#include <glm/mat4x4.hpp>

class Entity;
struct ObjectDescription;

// What a level file may name: the record types the game builds objects from and the
// physics types of their actors. The reader resolves a block's record type to its rule
// once; the loader and the level checker both go by the rule, never by the name.

enum class RecordKind : std::uint8_t {
    Character,
    Box,
    DoodadFan,
    DoodadWater,
    DoodadBox,
    Victory,
    DoodadUpgrade,
    Water,
    WaterPlane,
    CollisionBox,
    Unknown, // a type the game does not know: nothing is built from the block
};

// Where a record's physics actor comes from.
enum class ActorSource : std::uint8_t {
    Controller,  // the player's capsule controller
    PhysicsLine, // the physics line chooses the factory (createPhysicsActor)
    MeshTrigger, // a trigger box the size of the mesh (a water jet)
    ParamsBox,   // a solid box of half extents p0 p1 p2 (a pool surface)
};

// The GL programs the level's objects are drawn with.
struct LevelPrograms {
    std::uint32_t standard = 0;
    std::uint32_t water = 0;
    std::uint32_t waterPlane = 0;
};

// What a row's constructor is given besides the record itself.
struct EntityInputs {
    std::uint32_t texture = 0; // 0 for a record whose texture is not loaded
    LevelPrograms programs;
    glm::mat4 model{1.0f};
};

using EntityFactory = std::unique_ptr<Entity> (*)(const ObjectDescription& record,
                                                  const EntityInputs& inputs);

struct RecordRule {
    std::string_view type;
    RecordKind kind;
    bool physicsLine; // false: none in the block (Character)
    ActorSource actor;
    bool usesTexture;     // a CollisionBox's texture line is read and ignored
    CollisionGroup group; // of every shape of the actor
    // The group of a "dynamic" one instead. The file decides, not the actor built: a
    // dynamic box that fell back to a static actor is still pushed around as one.
    CollisionGroup dynamicGroup;
    EntityFactory build; // null for the Character, which the loader builds itself

    // Whether the physics line chooses the actor (water objects read and ignore it).
    bool usesPhysics() const { return actor == ActorSource::PhysicsLine; }
};

// The rule of a record type; null for a type the game does not know.
const RecordRule* recordRuleFor(std::string_view type);
// The rule of a known kind; null for RecordKind::Unknown.
const RecordRule* recordRuleOf(RecordKind kind);

enum class PhysicsKind : std::uint8_t { Static, Dynamic, Kinematic, Plane, Unknown };

// The physics type a physics line names; PhysicsKind::Unknown for any other text.
PhysicsKind physicsKindOf(std::string_view type);
inline bool isPhysicsType(std::string_view type) {
    return physicsKindOf(type) != PhysicsKind::Unknown;
}

// Above this a dynamic body is too detailed for a convex hull: the loader cooks its
// low-polygon twin instead, and without one makes the object static.
inline constexpr std::int32_t kMaxConvexTriangles = 255;
