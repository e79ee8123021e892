#include "physics/engine/ConvexMesh.h"

#include "physics/engine/CookedFormat.h"
#include "physics/engine/internal/ConvexMeshImpl.h"

#include <LinearMath/btConvexHullComputer.h>
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace physics {

namespace {

// The collision engine rounds a hull by its margin. Shrinking the hull by as much first keeps the
// surface where the mesh has it, so a box rests on its faces, not a margin above them.
constexpr float kConvexMargin = 0.04f;
// The shrink never takes more than this share of the hull's inner radius.
constexpr float kShrinkClamp = 0.25f;

} // namespace

std::unique_ptr<ConvexMesh> ConvexMesh::create(const Stream& stream) {
    std::vector<glm::vec3> vertices;
    std::vector<std::uint32_t> triangles;
    if (!cooked::readMesh(stream, cooked::kConvexTag, vertices, triangles)) {
        return nullptr;
    }
    return std::make_unique<ConvexMesh>(std::move(vertices), std::move(triangles));
}

ConvexMesh::ConvexMesh(std::vector<glm::vec3> hullVertices,
                       std::vector<std::uint32_t> hullTriangles)
    : vertices(std::move(hullVertices)), triangles(std::move(hullTriangles)),
      internals(std::make_unique<Impl>()) {
    glm::vec3 centre(0.0f);
    for (const glm::vec3& v : vertices) {
        centre += v;
    }
    centre /= static_cast<float>(std::max<std::size_t>(vertices.size(), 1));
    float signedVolume = 0.0f;
    float area = 0.0f;
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const glm::vec3 a = vertices[triangles[t]] - centre;
        const glm::vec3 b = vertices[triangles[t + 1]] - centre;
        const glm::vec3 c = vertices[triangles[t + 2]] - centre;
        signedVolume += glm::dot(a, glm::cross(b, c)) / 6.0f;
        area += glm::length(glm::cross(b - a, c - a)) / 2.0f;
    }

    btConvexHullComputer shrunk;
    const float shift =
        shrunk.compute(&vertices[0].x, static_cast<int>(sizeof(glm::vec3)),
                       static_cast<int>(vertices.size()), kConvexMargin, kShrinkClamp);
    internals->shape = std::make_unique<btConvexHullShape>();
    btConvexHullShape* shape = internals->shape.get();
    if (shift > 0.0f && shrunk.vertices.size() >= 4) {
        for (int i = 0; i < shrunk.vertices.size(); ++i) {
            shape->addPoint(shrunk.vertices[i], false);
        }
        shape->setMargin(shift);
    } else {
        // Flat or tiny: nothing to shrink, the margin adds the thickness.
        for (const glm::vec3& v : vertices) {
            shape->addPoint(btVector3(v.x, v.y, v.z), false);
        }
        shape->setMargin(kConvexMargin);
    }
    shape->recalcLocalAabb();
    volume = std::max(std::fabs(signedVolume), area * static_cast<float>(shape->getMargin()));
}

ConvexMesh::~ConvexMesh() = default;

void ConvexMesh::saveToDesc(ConvexMeshDesc& desc) const {
    desc.numVertices = static_cast<std::uint32_t>(vertices.size());
    desc.numTriangles = static_cast<std::uint32_t>(triangles.size() / 3);
    desc.pointStrideBytes = sizeof(glm::vec3);
    desc.triangleStrideBytes = 3 * sizeof(std::uint32_t);
    desc.points = vertices.data();
    desc.triangles = triangles.data();
    desc.flags = 0;
}

} // namespace physics
