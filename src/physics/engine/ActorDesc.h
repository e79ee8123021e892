#pragma once

#include "physics/engine/Pose.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace physics {

// Body flags as the game passes them; the default body of a dynamic actor has
// BodyFlagDefault, a kinematic one adds BodyFlagKinematic.
enum BodyFlag : unsigned {
    BodyFlagKinematic = 0x80,
    BodyFlagDefault = 0x900,
};

struct BodyDesc {
    unsigned flags = BodyFlagDefault;
    bool isKinematic() const { return (flags & BodyFlagKinematic) != 0; }
};

// A box shape centred on the actor's origin, given by its half extents.
struct BoxShapeDesc {
    glm::vec3 dimensions{1.0f};
    std::uint16_t group = 0;
    unsigned materialIndex = 0;
};

struct ActorDesc {
    Pose globalPose;
    std::optional<BodyDesc> body; // no body: a static actor
    float density = 0.0f;         // mass = density x shape volume for dynamic actors
    std::vector<BoxShapeDesc> boxes;
    void* userData = nullptr;
};

} // namespace physics
