#pragma once

#include "physics/engine/ActorDesc.h"
#include "physics/engine/Bounds.h"
#include "physics/engine/Pose.h"
#include "physics/engine/Shape.h"

#include <memory>
#include <vector>

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

    // Zero for static actors; a kinematic one reports none either, it is only placed.
    glm::vec3 getLinearVelocity() const;
    // Whether the simulation has put a dynamic actor to rest; static and kinematic
    // actors never sleep.
    bool isSleeping() const;
    // The box around all the actor's shapes, in its own frame and in the world. They
    // include the rounding the collision engine adds around boxes and hulls.
    Bounds getLocalBounds() const;
    Bounds getWorldBounds() const;

    // Pushes a dynamic actor at a point given in its own frame; does nothing to static
    // and kinematic ones. The push acts in the next step.
    void addForceAtLocalPos(const glm::vec3& force, const glm::vec3& localPosition,
                            ForceMode mode = ForceMode::Force, bool wakeUp = true);

    std::vector<Shape*> getShapes() const;
    unsigned getNbShapes() const { return static_cast<unsigned>(shapes.size()); }
    Shape& getShape(unsigned index) const { return *shapes[index]; }
    // The shape behind a part index that the collision engine reports for this actor;
    // an index out of range is clamped to the nearest shape.
    Shape& shapeForChild(int childIndex) const;

    Scene* getScene() const { return scene; }

    // The collision engine's side; complete only inside the engine.
    struct Impl;
    Impl& impl() const { return *internals; }

    void* userData = nullptr;

private:
    friend class Scene;

    std::vector<std::unique_ptr<Shape>> shapes;
    std::unique_ptr<Impl> internals;
    Scene* scene = nullptr;
    bool dynamic = false;
    bool kinematic = false;
    float mass = 0.0f;
};

} // namespace physics
