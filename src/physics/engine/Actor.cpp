#include "physics/engine/Actor.h"

#include "physics/engine/BulletMath.h"
#include "physics/engine/Material.h"

#include <btBulletDynamicsCommon.h>

namespace physics {

Actor::Actor(const ActorDesc& desc, const Material& material) : userData(desc.userData) {
    float volume = 0.0f;
    for (const BoxShapeDesc& box : desc.boxes) {
        childShapes.push_back(std::make_unique<btBoxShape>(toBullet(box.dimensions)));
        shapes.push_back(std::make_unique<Shape>(*this, ShapeType::Box, box.group));
        volume += 8.0f * box.dimensions.x * box.dimensions.y * box.dimensions.z;
    }

    // One shape is used as it is; several become children of a compound at the origin.
    if (childShapes.size() == 1) {
        collisionShape = std::move(childShapes.front());
        childShapes.clear();
    } else {
        auto compound = std::make_unique<btCompoundShape>();
        for (auto& child : childShapes) {
            compound->addChildShape(btTransform::getIdentity(), child.get());
        }
        collisionShape = std::move(compound);
    }

    const bool kinematic = desc.body && desc.body->isKinematic();
    dynamic = desc.body.has_value() && !kinematic;
    mass = dynamic ? desc.density * volume : 0.0f;

    btVector3 inertia(0, 0, 0);
    if (dynamic && mass > 0.0f) {
        collisionShape->calculateLocalInertia(mass, inertia);
    }
    btRigidBody::btRigidBodyConstructionInfo info(dynamic ? mass : 0.0f, nullptr,
                                                  collisionShape.get(), inertia);
    info.m_startWorldTransform = toBullet(desc.globalPose);
    info.m_restitution = material.getRestitution();
    info.m_friction = material.getDynamicFriction();
    rigidBody = std::make_unique<btRigidBody>(info);
    if (kinematic) {
        rigidBody->setCollisionFlags(rigidBody->getCollisionFlags() |
                                     btCollisionObject::CF_KINEMATIC_OBJECT);
        rigidBody->setActivationState(DISABLE_DEACTIVATION);
    }
    rigidBody->setUserPointer(this);
}

Actor::~Actor() = default;

Pose Actor::getGlobalPose() const { return fromBullet(rigidBody->getWorldTransform()); }

glm::vec3 Actor::getGlobalPosition() const {
    return fromBullet(rigidBody->getWorldTransform().getOrigin());
}

void Actor::setGlobalPose(const Pose& pose) {
    rigidBody->setWorldTransform(toBullet(pose));
    rigidBody->activate(true);
}

std::vector<Shape*> Actor::getShapes() const {
    std::vector<Shape*> result;
    result.reserve(shapes.size());
    for (const auto& shape : shapes) {
        result.push_back(shape.get());
    }
    return result;
}

} // namespace physics
