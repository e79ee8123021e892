#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

// What a level file may name: the record types the game builds objects from and the
// physics types of their actors. The loader and the level checker both go by this.

struct RecordRule {
    std::string_view type;
    bool physicsLine; // false: none in the block (Character)
    bool usesPhysics; // the physics line chooses the actor (Water objects read and ignore it)
    bool usesTexture; // a CollisionBox is never drawn
};

inline constexpr RecordRule kRecordRules[] = {
    {"Character", false, false, true},   {"Box", true, true, true},
    {"DoodadFan", true, true, true},     {"DoodadWater", true, true, true},
    {"DoodadBox", true, true, true},     {"Victory", true, true, true},
    {"DoodadUpgrade", true, true, true}, {"Water", true, false, true},
    {"WaterPlane", true, false, true},   {"CollisionBox", true, true, false},
};

inline constexpr std::string_view kPhysicsTypes[] = {"static", "dynamic", "kinematic", "plane"};

// Above this a dynamic body is too detailed for a convex hull: the loader cooks its
// low-polygon twin instead, and without one makes the object static.
inline constexpr std::int32_t kMaxConvexTriangles = 255;

// The rule of a record type; null for a type the game does not know.
inline const RecordRule* recordRuleFor(std::string_view type) {
    const auto rule = std::find_if(std::begin(kRecordRules), std::end(kRecordRules),
                                   [&](const RecordRule& r) { return r.type == type; });
    return rule == std::end(kRecordRules) ? nullptr : rule;
}

inline bool isPhysicsType(std::string_view type) {
    return std::find(std::begin(kPhysicsTypes), std::end(kPhysicsTypes), type) !=
           std::end(kPhysicsTypes);
}
