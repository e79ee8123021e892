#pragma once

#include "physics/engine/TriangleMesh.h"

#include <BulletCollision/CollisionShapes/btBvhTriangleMeshShape.h>
#include <BulletCollision/CollisionShapes/btTriangleIndexVertexArray.h>

#include <memory>

namespace physics {

// The mesh's triangles as the collision engine reads them, in place, and the tree
// built over them once.
struct TriangleMesh::Impl {
    std::unique_ptr<btTriangleIndexVertexArray> meshInterface;
    std::unique_ptr<btBvhTriangleMeshShape> shape;
};

} // namespace physics
