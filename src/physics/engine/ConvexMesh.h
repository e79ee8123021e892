#pragma once

#include "physics/engine/ConvexMeshDesc.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>
#include <vector>

namespace physics {

class Stream;

class Actor;

// A cooked convex hull. Every shape made from it shares its one collision shape.
class ConvexMesh {
public:
    // Null when the stream does not hold a cooked convex mesh.
    static std::unique_ptr<ConvexMesh> create(const Stream& stream);

    ConvexMesh(std::vector<glm::vec3> vertices, std::vector<std::uint32_t> triangles);
    ~ConvexMesh();
    ConvexMesh(const ConvexMesh&) = delete;
    ConvexMesh& operator=(const ConvexMesh&) = delete;

    // Points the descriptor at the hull's own arrays, which live as long as the mesh.
    void saveToDesc(ConvexMeshDesc& desc) const;

    // The volume that mass is taken from. A flat hull still collides with the
    // thickness of its rounded margin, so that is the volume it gets.
    float getVolume() const { return volume; }

    // Live shapes made from the mesh; the SDK frees it only when none is left.
    unsigned getReferenceCount() const { return references; }

    // The collision engine's side; complete only inside the engine.
    struct Impl;
    Impl& impl() const { return *internals; }

private:
    friend class Actor; // counts the shapes it makes from the mesh

    std::vector<glm::vec3> vertices;
    std::vector<std::uint32_t> triangles;
    float volume = 0.0f;
    unsigned references = 0;
    std::unique_ptr<Impl> internals;
};

} // namespace physics
