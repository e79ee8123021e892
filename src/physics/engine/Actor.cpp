#include "physics/engine/Actor.h"

#include "physics/engine/Material.h"
#include "physics/engine/Scene.h"
#include "physics/engine/internal/ActorImpl.h"
#include "physics/engine/internal/BulletMath.h"
#include "physics/engine/internal/ConvexMeshImpl.h"
#include "physics/engine/internal/TriangleMeshImpl.h"
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace physics {

namespace {

constexpr float kBoxMargin = 0.04f;
// A static box thinner than this (a level plane has no thickness at all) is thickened
// below its top face: a flat box gives the solver no depth to push bodies out of, and
// anything fast passes through it between two steps. Its top face stays in place.
constexpr float kMinHalfThickness = 0.05f;

bool allTriggers(const ActorDesc& desc) {
    auto trigger = [](const auto& shape) { return (shape.shapeFlags & ShapeTriggerEnable) != 0; };
    return std::all_of(desc.boxes.begin(), desc.boxes.end(), trigger) &&
           std::all_of(desc.capsules.begin(), desc.capsules.end(), trigger) &&
           std::all_of(desc.convexes.begin(), desc.convexes.end(), trigger) &&
           std::all_of(desc.triangleMeshes.begin(), desc.triangleMeshes.end(), trigger);
}

// Gram-Schmidt on the columns; a rotation that cannot be saved becomes the identity.
glm::mat3 orthonormalized(const glm::mat3& r) {
    const glm::vec3 x = r[0];
    const float xLength = glm::length(x);
    if (!(xLength > 1e-6f)) {
        return glm::mat3(1.0f);
    }
    const glm::vec3 c0 = x / xLength;
    const glm::vec3 y = r[1] - glm::dot(r[1], c0) * c0;
    const float yLength = glm::length(y);
    if (!(yLength > 1e-6f)) {
        return glm::mat3(1.0f);
    }
    const glm::vec3 c1 = y / yLength;
    return glm::mat3(c0, c1, glm::cross(c0, c1));
}

bool isFinite(const Pose& pose) {
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(pose.translation[i]) || !std::isfinite(pose.rotation[i].x) ||
            !std::isfinite(pose.rotation[i].y) || !std::isfinite(pose.rotation[i].z)) {
            return false;
        }
    }
    return true;
}

} // namespace

Actor::Actor(const ActorDesc& desc, const Material& material)
    : userData(desc.userData), internals(std::make_unique<Impl>()) {
    Impl& parts = *internals;
    auto add = [&](ShapeType type, const auto& shapeDesc, btCollisionShape* collision,
                   const glm::vec3& offset) -> Shape& {
        shapes.push_back(
            std::make_unique<Shape>(*this, type, shapeDesc.group, shapeDesc.shapeFlags));
        parts.shapeParts.push_back(collision);
        parts.partOffsets.push_back(offset);
        return *shapes.back();
    };
    for (const BoxShapeDesc& box : desc.boxes) {
        glm::vec3 half = box.dimensions;
        glm::vec3 offset(0.0f);
        if (!desc.body && half.y < kMinHalfThickness) {
            offset.y = half.y - kMinHalfThickness;
            half.y = kMinHalfThickness;
        }
        auto shape = std::make_unique<btBoxShape>(toBullet(half));
        shape->setMargin(std::min({kBoxMargin, half.x, half.y, half.z}));
        add(ShapeType::Box, box, shape.get(), offset);
        parts.ownedShapes.push_back(std::move(shape));
    }
    for (const CapsuleShapeDesc& capsule : desc.capsules) {
        auto shape = std::make_unique<btCapsuleShape>(capsule.radius, capsule.height);
        add(ShapeType::Capsule, capsule, shape.get(), glm::vec3(0.0f));
        parts.ownedShapes.push_back(std::move(shape));
    }
    for (const ConvexShapeDesc& convex : desc.convexes) {
        add(ShapeType::Convex, convex, convex.meshData->impl().shape.get(), glm::vec3(0.0f))
            .convexMesh = convex.meshData;
        ++convex.meshData->references;
    }
    for (const TriangleMeshShapeDesc& mesh : desc.triangleMeshes) {
        add(ShapeType::TriangleMesh, mesh, mesh.meshData->impl().shape.get(), glm::vec3(0.0f))
            .triangleMesh = mesh.meshData;
        ++mesh.meshData->references;
    }

    // One shape in place is used as it is; otherwise the parts go into a compound,
    // whose child index is the shape's index.
    if (parts.shapeParts.size() == 1 && parts.partOffsets.front() == glm::vec3(0.0f)) {
        parts.collisionShape = parts.shapeParts.front();
    } else {
        auto compound = std::make_unique<btCompoundShape>();
        for (std::size_t i = 0; i < parts.shapeParts.size(); ++i) {
            btTransform local = btTransform::getIdentity();
            local.setOrigin(toBullet(parts.partOffsets[i]));
            compound->addChildShape(local, parts.shapeParts[i]);
        }
        parts.collisionShape = compound.get();
        parts.ownedShapes.push_back(std::move(compound));
    }
    btCollisionShape* collisionShape = parts.collisionShape;

    kinematic = desc.body && desc.body->isKinematic();
    dynamic = desc.isDynamic();
    mass = dynamic ? desc.density * desc.shapeVolume() : 0.0f;

    btVector3 inertia(0, 0, 0);
    if (dynamic) {
        collisionShape->calculateLocalInertia(mass, inertia);
    }
    btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, collisionShape, inertia);
    info.m_startWorldTransform = toBullet(desc.globalPose);
    info.m_restitution = material.getRestitution();
    info.m_friction = material.getDynamicFriction();
    parts.body = std::make_unique<btRigidBody>(info);
    btRigidBody* rigidBody = parts.body.get();
    if (kinematic) {
        rigidBody->setCollisionFlags(rigidBody->getCollisionFlags() |
                                     btCollisionObject::CF_KINEMATIC_OBJECT);
        rigidBody->setActivationState(DISABLE_DEACTIVATION);
    }
    if (allTriggers(desc)) {
        rigidBody->setCollisionFlags(rigidBody->getCollisionFlags() |
                                     btCollisionObject::CF_NO_CONTACT_RESPONSE);
    }
    rigidBody->setUserPointer(this);
}

Actor::~Actor() {
    for (const auto& shape : shapes) {
        if (ConvexMesh* hull = shape->getConvexMesh()) {
            --hull->references;
        }
        if (TriangleMesh* mesh = shape->getTriangleMesh()) {
            --mesh->references;
        }
    }
}

Pose Actor::getGlobalPose() const {
    return fromBullet(internals->body->getWorldTransform());
}

glm::vec3 Actor::getGlobalPosition() const {
    return fromBullet(internals->body->getWorldTransform().getOrigin());
}

glm::vec3 Actor::getLinearVelocity() const {
    return fromBullet(internals->body->getLinearVelocity());
}

bool Actor::isSleeping() const {
    return dynamic && internals->body->getActivationState() == ISLAND_SLEEPING;
}

Bounds Actor::getLocalBounds() const {
    btVector3 low, high;
    internals->collisionShape->getAabb(btTransform::getIdentity(), low, high);
    return Bounds{fromBullet(low), fromBullet(high)};
}

Bounds Actor::getWorldBounds() const {
    btVector3 low, high;
    internals->collisionShape->getAabb(internals->body->getWorldTransform(), low, high);
    return Bounds{fromBullet(low), fromBullet(high)};
}

void Actor::setGlobalPose(const Pose& pose) {
    if (!isFinite(pose)) {
        return;
    }
    const btTransform transform = toBullet(Pose{orthonormalized(pose.rotation), pose.translation});
    btRigidBody* rigidBody = internals->body.get();
    rigidBody->setWorldTransform(transform);
    if (!kinematic) {
        // A kinematic body keeps its last pose so the step can tell how fast it moved.
        rigidBody->setInterpolationWorldTransform(transform);
    }
    if (dynamic) {
        rigidBody->activate(true);
    }
    if (scene) {
        scene->actorMoved(*this);
    }
}

void Actor::addForceAtLocalPos(const glm::vec3& force, const glm::vec3& localPosition,
                               ForceMode mode, bool wakeUp) {
    if (!dynamic) {
        return;
    }
    btRigidBody* rigidBody = internals->body.get();
    const btVector3 offset = rigidBody->getWorldTransform().getBasis() * toBullet(localPosition);
    const btVector3 f = toBullet(force);
    switch (mode) {
    case ForceMode::Force:
        rigidBody->applyForce(f, offset);
        break;
    case ForceMode::Acceleration:
        rigidBody->applyForce(f * mass, offset);
        break;
    case ForceMode::Impulse:
    case ForceMode::SmoothImpulse:
        rigidBody->applyImpulse(f, offset);
        break;
    case ForceMode::VelocityChange:
    case ForceMode::SmoothVelocityChange:
        rigidBody->applyImpulse(f * mass, offset);
        break;
    }
    if (wakeUp) {
        rigidBody->activate(true);
    }
}

std::vector<Shape*> Actor::getShapes() const {
    std::vector<Shape*> result;
    result.reserve(shapes.size());
    for (const auto& shape : shapes) {
        result.push_back(shape.get());
    }
    return result;
}

Shape& Actor::shapeForChild(int childIndex) const {
    const int last = static_cast<int>(shapes.size()) - 1;
    return *shapes[static_cast<std::size_t>(std::clamp(childIndex, 0, last))];
}

} // namespace physics
