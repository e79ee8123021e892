#pragma once

#include "physics/engine/ActorDesc.h"
#include "physics/engine/Pose.h"
#include "physics/engine/Shape.h"

#include <memory>
#include <vector>

class btCollisionShape;
class btRigidBody;

namespace physics {

class Material;
class Scene;

enum class ForceMode {
    Force = 0,
    Impulse = 1,
    VelocityChange = 2,
    SmoothImpulse = 3,
    SmoothVelocityChange = 4,
    Acceleration = 5,
};

// A rigid actor in a scene: static (no body), dynamic or kinematic. Made by
// Scene::createActor from a descriptor that passed ActorDesc::isValid.
class Actor {
public:
    Actor(const ActorDesc& desc, const Material& material);
    ~Actor();
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;

    Pose getGlobalPose() const;
    glm::vec3 getGlobalPosition() const;
    // Places the actor at once, static actors included. A pose carries no scale: the
    // rotation is orthonormalised so the body stays rigid; a non-finite pose is ignored.
    void setGlobalPose(const Pose& pose);
    bool isDynamic() const { return dynamic; }
    bool isKinematic() const { return kinematic; }
    float getMass() const { return mass; }

    // Pushes a dynamic actor at a point given in its own frame; does nothing to static
    // and kinematic ones. The push acts in the next step.
    void addForceAtLocalPos(const glm::vec3& force, const glm::vec3& localPosition,
                            ForceMode mode = ForceMode::Force, bool wakeUp = true);

    std::vector<Shape*> getShapes() const;
    unsigned getNbShapes() const { return static_cast<unsigned>(shapes.size()); }
    Shape& getShape(unsigned index) const { return *shapes[index]; }
    // The shape behind a child index that Bullet reports for this actor's body.
    Shape& shapeForChild(int childIndex) const;

    btRigidBody& body() { return *rigidBody; }
    const btRigidBody& body() const { return *rigidBody; }
    Scene* getScene() const { return scene; }

    void* userData = nullptr;

private:
    friend class Scene;

    void addShape(ShapeType type, std::uint16_t group, unsigned flags, btCollisionShape* collision,
                  const glm::vec3& offset);

    std::vector<std::unique_ptr<Shape>> shapes;
    std::vector<btCollisionShape*> shapeParts;                  // one per shape, in shape order
    std::vector<glm::vec3> partOffsets;                         // where each part sits in the actor
    std::vector<std::unique_ptr<btCollisionShape>> ownedShapes; // meshes own theirs
    btCollisionShape* collisionShape = nullptr;
    std::unique_ptr<btRigidBody> rigidBody;
    Scene* scene = nullptr;
    bool dynamic = false;
    bool kinematic = false;
    float mass = 0.0f;
};

} // namespace physics
