#pragma once

#include "physics/engine/ConvexMesh.h"

#include <BulletCollision/CollisionShapes/btConvexHullShape.h>

#include <memory>

namespace physics {

// The one hull shape that every shape made from the mesh shares.
struct ConvexMesh::Impl {
    std::unique_ptr<btConvexHullShape> shape;
};

} // namespace physics
