#include "physics/engine/TriangleMesh.h"

#include "physics/engine/CookedFormat.h"
#include "physics/engine/internal/TriangleMeshImpl.h"

namespace physics {

static_assert(sizeof(glm::vec3) == 3 * sizeof(float) && sizeof(std::uint32_t) == sizeof(int));

std::unique_ptr<TriangleMesh> TriangleMesh::create(const Stream& stream) {
    std::vector<glm::vec3> vertices;
    std::vector<std::uint32_t> indices;
    if (!cooked::readMesh(stream, cooked::kTriangleTag, vertices, indices)) {
        return nullptr;
    }
    return std::make_unique<TriangleMesh>(std::move(vertices), std::move(indices));
}

TriangleMesh::TriangleMesh(std::vector<glm::vec3> meshVertices,
                           std::vector<std::uint32_t> meshIndices)
    : vertices(std::move(meshVertices)), indices(std::move(meshIndices)),
      internals(std::make_unique<Impl>()) {
    // The collision engine reads the arrays in place; they never move after this.
    internals->meshInterface = std::make_unique<btTriangleIndexVertexArray>(
        static_cast<int>(indices.size() / 3), reinterpret_cast<int*>(indices.data()),
        static_cast<int>(3 * sizeof(std::uint32_t)), static_cast<int>(vertices.size()),
        &vertices[0].x, static_cast<int>(sizeof(glm::vec3)));
    internals->shape =
        std::make_unique<btBvhTriangleMeshShape>(internals->meshInterface.get(), true, true);
}

TriangleMesh::~TriangleMesh() = default;

void TriangleMesh::saveToDesc(TriangleMeshDesc& desc) const {
    desc.numVertices = static_cast<std::uint32_t>(vertices.size());
    desc.numTriangles = static_cast<std::uint32_t>(indices.size() / 3);
    desc.pointStrideBytes = sizeof(glm::vec3);
    desc.triangleStrideBytes = 3 * sizeof(std::uint32_t);
    desc.points = vertices.data();
    desc.triangles = indices.data();
    desc.flags &= ~Mesh16BitIndices;
}

} // namespace physics
