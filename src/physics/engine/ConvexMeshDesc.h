#pragma once

#include <cstdint>

namespace physics {

enum ConvexFlag : unsigned {
    ConvexFlip = 0x1,          // triangles wound the other way
    ConvexComputeConvex = 0x4, // build the hull from the points
};

// What a convex mesh is cooked from, and what saveToDesc hands back. The pointers
// are borrowed: whoever fills the descriptor keeps the arrays alive.
struct ConvexMeshDesc {
    std::uint32_t numVertices = 0;
    std::uint32_t numTriangles = 0;
    std::uint32_t pointStrideBytes = 0;
    std::uint32_t triangleStrideBytes = 0;
    const void* points = nullptr;
    const void* triangles = nullptr;
    unsigned flags = 0;

    // A hull needs at least three points to span anything.
    bool isValid() const {
        return numVertices >= 3 && points != nullptr && pointStrideBytes >= 12 &&
               (triangles == nullptr || triangleStrideBytes >= 12);
    }
};

} // namespace physics
