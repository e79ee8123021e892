#include "physics/engine/Cooking.h"

#include "physics/engine/CookedFormat.h"
#include "physics/engine/Stream.h"

#include <LinearMath/btConvexHullComputer.h>
#include <glm/vec3.hpp>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

namespace physics {

namespace {

// Copies strided points into a packed array; false if any coordinate is not finite.
bool gatherPoints(const void* points, std::uint32_t count, std::uint32_t stride,
                  std::vector<glm::vec3>& out) {
    out.resize(count);
    const auto* base = static_cast<const unsigned char*>(points);
    for (std::uint32_t i = 0; i < count; ++i) {
        float xyz[3];
        std::memcpy(xyz, base + std::size_t{i} * stride, sizeof xyz);
        if (!std::isfinite(xyz[0]) || !std::isfinite(xyz[1]) || !std::isfinite(xyz[2])) {
            return false;
        }
        out[i] = glm::vec3(xyz[0], xyz[1], xyz[2]);
    }
    return true;
}

std::uint32_t readIndex(const unsigned char* at, bool sixteenBit) {
    if (sixteenBit) {
        std::uint16_t index;
        std::memcpy(&index, at, sizeof index);
        return index;
    }
    std::uint32_t index;
    std::memcpy(&index, at, sizeof index);
    return index;
}

void writeMesh(Stream& stream, std::uint32_t tag, const std::vector<glm::vec3>& vertices,
               const std::vector<std::uint32_t>& indices) {
    stream.storeDword(tag).storeDword(cooked::kVersion);
    stream.storeDword(static_cast<std::uint32_t>(vertices.size()));
    stream.storeDword(static_cast<std::uint32_t>(indices.size() / 3));
    stream.storeBuffer(vertices.data(), static_cast<std::uint32_t>(vertices.size() * 12));
    stream.storeBuffer(indices.data(), static_cast<std::uint32_t>(indices.size() * 4));
    stream.storeDword(cooked::kEndTag);
}

} // namespace

bool Cooking::cookConvexMesh(const ConvexMeshDesc& desc, Stream& stream) const {
    std::vector<glm::vec3> points;
    if (!initialized || !desc.isValid() || desc.numVertices > cooked::kMaxVertices ||
        !gatherPoints(desc.points, desc.numVertices, desc.pointStrideBytes, points)) {
        return false;
    }

    btConvexHullComputer hull;
    hull.compute(&points[0].x, static_cast<int>(sizeof(glm::vec3)), static_cast<int>(points.size()),
                 0.0f, 0.0f);
    if (hull.faces.size() == 0) {
        return false; // all points on one line: no hull
    }

    std::vector<glm::vec3> vertices;
    vertices.reserve(hull.vertices.size());
    for (int i = 0; i < hull.vertices.size(); ++i) {
        const btVector3& v = hull.vertices[i];
        vertices.emplace_back(v.x(), v.y(), v.z());
    }
    // Each hull face is a convex polygon: a fan from its first corner.
    std::vector<std::uint32_t> indices;
    for (int face = 0; face < hull.faces.size(); ++face) {
        const btConvexHullComputer::Edge* first = &hull.edges[hull.faces[face]];
        const int corner = first->getSourceVertex();
        for (const btConvexHullComputer::Edge* edge = first->getNextEdgeOfFace();
             edge->getTargetVertex() != corner; edge = edge->getNextEdgeOfFace()) {
            indices.push_back(static_cast<std::uint32_t>(corner));
            indices.push_back(static_cast<std::uint32_t>(edge->getSourceVertex()));
            indices.push_back(static_cast<std::uint32_t>(edge->getTargetVertex()));
        }
    }
    if (indices.empty() || indices.size() / 3 > cooked::kMaxTriangles) {
        return false;
    }
    writeMesh(stream, cooked::kConvexTag, vertices, indices);
    return true;
}

bool Cooking::cookTriangleMesh(const TriangleMeshDesc& desc, Stream& stream) const {
    std::vector<glm::vec3> vertices;
    if (!initialized || !desc.isValid() || desc.numVertices > cooked::kMaxVertices ||
        !gatherPoints(desc.points, desc.numVertices, desc.pointStrideBytes, vertices)) {
        return false;
    }

    std::vector<std::uint32_t> indices;
    if (desc.triangles == nullptr) {
        indices.resize(desc.numVertices);
        for (std::uint32_t i = 0; i < desc.numVertices; ++i) {
            indices[i] = i;
        }
    } else {
        if (desc.numTriangles == 0 || desc.numTriangles > cooked::kMaxTriangles) {
            return false;
        }
        const bool sixteenBit = (desc.flags & Mesh16BitIndices) != 0;
        const std::size_t indexBytes = sixteenBit ? 2 : 4;
        const auto* base = static_cast<const unsigned char*>(desc.triangles);
        indices.resize(std::size_t{desc.numTriangles} * 3);
        for (std::uint32_t t = 0; t < desc.numTriangles; ++t) {
            const unsigned char* triangle = base + std::size_t{t} * desc.triangleStrideBytes;
            for (std::size_t corner = 0; corner < 3; ++corner) {
                const std::uint32_t index = readIndex(triangle + corner * indexBytes, sixteenBit);
                if (index >= desc.numVertices) {
                    return false;
                }
                indices[std::size_t{t} * 3 + corner] = index;
            }
        }
    }
    if (indices.size() / 3 > cooked::kMaxTriangles) {
        return false;
    }
    writeMesh(stream, cooked::kTriangleTag, vertices, indices);
    return true;
}

} // namespace physics
