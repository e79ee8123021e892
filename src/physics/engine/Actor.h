#pragma once

#include "physics/engine/ActorDesc.h"
#include "physics/engine/Pose.h"
#include "physics/engine/Shape.h"

#include <memory>
#include <vector>

class btCollisionShape;
class btRigidBody;
class btDefaultMotionState;

namespace physics {

class Material;

// A rigid actor in a scene: static (no body), dynamic or kinematic.
class Actor {
public:
    Actor(const ActorDesc& desc, const Material& material);
    ~Actor();
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;

    Pose getGlobalPose() const;
    glm::vec3 getGlobalPosition() const;
    void setGlobalPose(const Pose& pose);
    bool isDynamic() const { return dynamic; }
    float getMass() const { return mass; }

    std::vector<Shape*> getShapes() const;
    btRigidBody& body() { return *rigidBody; }

    void* userData = nullptr;

private:
    std::vector<std::unique_ptr<Shape>> shapes;
    std::unique_ptr<btCollisionShape> collisionShape;
    std::vector<std::unique_ptr<btCollisionShape>> childShapes;
    std::unique_ptr<btRigidBody> rigidBody;
    bool dynamic = false;
    float mass = 0.0f;
};

} // namespace physics
