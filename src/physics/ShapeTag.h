#pragma once

#include "physics/engine/ConvexMeshDesc.h"
#include "physics/engine/Pose.h"
#include "physics/engine/TriangleMeshDesc.h"

#include <cstdint>
#include <variant>

// Every shape's user data points at one of these; nothing in the game reads them yet.
struct ShapeTag {
    std::uint32_t id = 0; // running number within the actor
    // The mesh of a convex or triangle-mesh shape as saveToDesc gives it; none otherwise.
    std::variant<std::monostate, physics::ConvexMeshDesc, physics::TriangleMeshDesc> meshDesc;
    physics::Pose pose;
};
