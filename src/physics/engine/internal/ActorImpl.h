#pragma once

#include "physics/engine/Actor.h"

#include <btBulletDynamicsCommon.h>

#include <memory>
#include <vector>

namespace physics {

// The collision engine's side of an actor: its body and the collision shapes behind it.
struct Actor::Impl {
    std::vector<btCollisionShape*> shapeParts;                  // one per shape, in shape order
    std::vector<glm::vec3> partOffsets;                         // where each part sits in the actor
    std::vector<std::unique_ptr<btCollisionShape>> ownedShapes; // meshes own theirs
    btCollisionShape* collisionShape = nullptr;
    // After the shapes, so that it goes before them.
    std::unique_ptr<btRigidBody> body;
};

} // namespace physics
