#pragma once

#include "physics/engine/TriangleMeshDesc.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>
#include <vector>

namespace physics {

class Stream;

class Actor;

// A cooked triangle mesh with its bounding-volume tree, built once and shared by every
// shape made from it. Only static and kinematic actors may use it.
class TriangleMesh {
public:
    // Null when the stream does not hold a cooked triangle mesh.
    static std::unique_ptr<TriangleMesh> create(const Stream& stream);

    TriangleMesh(std::vector<glm::vec3> vertices, std::vector<std::uint32_t> indices);
    ~TriangleMesh();
    TriangleMesh(const TriangleMesh&) = delete;
    TriangleMesh& operator=(const TriangleMesh&) = delete;

    // Points the descriptor at the mesh's own arrays, which live as long as the mesh.
    void saveToDesc(TriangleMeshDesc& desc) const;

    // Live shapes made from the mesh; the SDK frees it only when none is left.
    unsigned getReferenceCount() const { return references; }

    // The collision engine's side; complete only inside the engine.
    struct Impl;
    Impl& impl() const { return *internals; }

private:
    friend class Actor; // counts the shapes it makes from the mesh

    std::vector<glm::vec3> vertices;
    std::vector<std::uint32_t> indices;
    unsigned references = 0;
    std::unique_ptr<Impl> internals;
};

} // namespace physics
