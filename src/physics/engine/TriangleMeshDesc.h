#pragma once

#include <cstdint>

namespace physics {

enum MeshFlag : unsigned {
    MeshFlip = 0x1,
    Mesh16BitIndices = 0x2,
};

// No height field: the mesh is a plain triangle soup or indexed mesh.
constexpr std::uint8_t kNoHeightField = 0xFF;

// What a triangle mesh is cooked from, and what saveToDesc hands back. The pointers
// are borrowed. Without an index array every three points make one triangle.
struct TriangleMeshDesc {
    std::uint32_t numVertices = 0;
    std::uint32_t numTriangles = 0;
    std::uint32_t pointStrideBytes = 0;
    std::uint32_t triangleStrideBytes = 0;
    const void* points = nullptr;
    const void* triangles = nullptr;
    unsigned flags = 0;
    std::uint32_t materialIndexStride = 0;
    const void* materialIndices = nullptr;
    std::uint8_t heightFieldVerticalAxis = kNoHeightField;
    float heightFieldVerticalExtent = 0.0f;
    float convexEdgeThreshold = 0.001f;

    bool isValid() const {
        const std::uint32_t indexBytes = (flags & Mesh16BitIndices) ? 6 : 12;
        return numVertices >= 3 && points != nullptr && pointStrideBytes >= 12 &&
               (triangles != nullptr ? triangleStrideBytes >= indexBytes : numVertices % 3 == 0);
    }
};

} // namespace physics
