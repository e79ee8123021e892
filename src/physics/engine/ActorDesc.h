#pragma once

#include "physics/engine/Pose.h"
#include "physics/engine/Shape.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace physics {

class ConvexMesh;
class TriangleMesh;

// Body flags as the game passes them; the default body of a dynamic actor has
// BodyFlagDefault, a kinematic one adds BodyFlagKinematic. Only the kinematic bit
// changes anything here: bodies are always drawn without debug visualisation, and the
// collision engine decides by itself when a body falls asleep.
enum BodyFlag : unsigned {
    BodyFlagKinematic = 0x80,
    BodyVisualization = 0x100,
    BodyEnergySleepTest = 0x800,
    BodyFlagDefault = BodyVisualization | BodyEnergySleepTest,
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
    unsigned shapeFlags = ShapeFlagDefault;
};

// A capsule along the actor's Y axis: height is the distance between the centres of
// its two half spheres.
struct CapsuleShapeDesc {
    float radius = 1.0f;
    float height = 1.0f;
    std::uint16_t group = 0;
    unsigned materialIndex = 0;
    unsigned shapeFlags = ShapeFlagDefault;
};

struct ConvexShapeDesc {
    ConvexMesh* meshData = nullptr;
    std::uint16_t group = 0;
    unsigned materialIndex = 0;
    unsigned shapeFlags = ShapeFlagDefault;
};

struct TriangleMeshShapeDesc {
    TriangleMesh* meshData = nullptr;
    std::uint16_t group = 0;
    unsigned materialIndex = 0;
    unsigned shapeFlags = ShapeFlagDefault;
};

// An actor's shapes are listed boxes first, then capsules, convexes and triangle meshes.
struct ActorDesc {
    Pose globalPose;
    std::optional<BodyDesc> body; // no body: a static actor
    float density = 0.0f;         // mass = density x shape volume for dynamic actors
    std::vector<BoxShapeDesc> boxes;
    std::vector<CapsuleShapeDesc> capsules;
    std::vector<ConvexShapeDesc> convexes;
    std::vector<TriangleMeshShapeDesc> triangleMeshes;
    void* userData = nullptr;

    bool isDynamic() const { return body.has_value() && !body->isKinematic(); }
    std::size_t shapeCount() const {
        return boxes.size() + capsules.size() + convexes.size() + triangleMeshes.size();
    }
    // Sum of the shapes' volumes; a triangle mesh encloses none.
    float shapeVolume() const;
    // No actor is made from a descriptor that fails this: it needs a shape, a finite
    // pose, a mesh behind every mesh shape, and, if dynamic, no triangle mesh and a
    // positive mass.
    bool isValid() const;
};

} // namespace physics
