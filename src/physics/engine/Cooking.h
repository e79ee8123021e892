#pragma once

#include "physics/engine/ConvexMeshDesc.h"
#include "physics/engine/TriangleMeshDesc.h"

namespace physics {

class Stream;

// Mesh cooking: turns vertex data into the bytes that the SDK makes meshes from.
class Cooking {
public:
    bool initCooking() {
        initialized = true;
        return true;
    }
    bool isInitialized() const { return initialized; }

    // Writes the convex hull of the descriptor's points. False, with nothing written,
    // when cooking was not started, the descriptor is invalid or the points are all
    // on one line. The hull is always built from the points; triangles are ignored.
    bool cookConvexMesh(const ConvexMeshDesc& desc, Stream& stream) const;

    // Writes the triangles as they are. False, with nothing written, when cooking was
    // not started, the descriptor is invalid or names a vertex it does not have.
    bool cookTriangleMesh(const TriangleMeshDesc& desc, Stream& stream) const;

private:
    bool initialized = false;
};

} // namespace physics
