#pragma once

#include "physics/engine/TriangleMeshDesc.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>
#include <vector>

class btTriangleIndexVertexArray;
class btBvhTriangleMeshShape;

namespace physics {

class Stream;

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

    btBvhTriangleMeshShape& collisionShape() const { return *shape; }

private:
    std::vector<glm::vec3> vertices;
    std::vector<std::uint32_t> indices;
    std::unique_ptr<btTriangleIndexVertexArray> meshInterface;
    std::unique_ptr<btBvhTriangleMeshShape> shape;
};

} // namespace physics
