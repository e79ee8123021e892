#include "physics/engine/internal/CapsuleSweep.h"

#include "physics/engine/Actor.h"
#include "physics/engine/internal/BulletMath.h"
#include "physics/engine/internal/ConvexSweep.h"

#include <btBulletCollisionCommon.h>

#include <cmath>

namespace physics {

namespace {

constexpr int kMaxDepenetrationPasses = 4;
// How far beside the contact the surface ray goes down: past the rounded edges.
constexpr float kSurfaceRayOffset = 0.1f;

class ClosestSeenRay : public btCollisionWorld::RayResultCallback {
public:
    explicit ClosestSeenRay(const QueryFilter& filter) : filter(filter) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        return filter.seesAnyShapeOf(proxy);
    }

    btScalar addSingleResult(btCollisionWorld::LocalRayResult& result,
                             bool normalInWorld) override {
        const int child = result.m_localShapeInfo ? result.m_localShapeInfo->m_triangleIndex : 0;
        Shape* hitShape = shapeOf(result.m_collisionObject, child);
        if (!hitShape || !filter.sees(*hitShape) || result.m_hitFraction > m_closestHitFraction) {
            return m_closestHitFraction;
        }
        m_closestHitFraction = result.m_hitFraction;
        m_collisionObject = result.m_collisionObject;
        shape = hitShape;
        normal = normalInWorld ? result.m_hitNormalLocal
                               : result.m_collisionObject->getWorldTransform().getBasis() *
                                     result.m_hitNormalLocal;
        return result.m_hitFraction;
    }

    btVector3 normal{0, 0, 0};
    Shape* shape = nullptr;

private:
    const QueryFilter& filter;
};

class DeepestContact : public btCollisionWorld::ContactResultCallback {
public:
    DeepestContact(const QueryFilter& filter, const btCollisionObject& probe)
        : filter(filter), probe(probe) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        return filter.seesAnyShapeOf(proxy);
    }

    btScalar addSingleResult(btManifoldPoint& point, const btCollisionObjectWrapper* wrap0, int,
                             int index0, const btCollisionObjectWrapper* wrap1, int,
                             int index1) override {
        const bool probeFirst = wrap0->getCollisionObject() == &probe;
        const btCollisionObject* other =
            probeFirst ? wrap1->getCollisionObject() : wrap0->getCollisionObject();
        Shape* shape = shapeOf(other, probeFirst ? index1 : index0);
        const btScalar distance = point.getDistance();
        if (shape && filter.sees(*shape) && distance < depth) {
            depth = distance;
            // The normal points from the second object to the first.
            away = probeFirst ? point.m_normalWorldOnB : -point.m_normalWorldOnB;
        }
        return 0;
    }

    btScalar depth = 0; // most negative distance seen: the deepest overlap
    btVector3 away{0, 0, 0};

private:
    const QueryFilter& filter;
    const btCollisionObject& probe;
};

} // namespace

CapsuleSweep::CapsuleSweep(float radius, float height, float skinWidth, const Actor& self)
    : filter{~0u, &self}, skinWidth(skinWidth),
      sweepShape(std::make_unique<btCapsuleShape>(radius + skinWidth, height)),
      bodyShape(std::make_unique<btCapsuleShape>(radius, height)),
      probe(std::make_unique<btCollisionObject>()) {
    probe->setCollisionShape(bodyShape.get());
}

CapsuleSweep::~CapsuleSweep() = default;

CapsuleSweep::Hit CapsuleSweep::sweep(btCollisionWorld& world, const glm::vec3& from,
                                      const glm::vec3& direction, float length) const {
    return sweepConvex(world, *sweepShape, from, direction, length, filter);
}

CapsuleSweep::Hit CapsuleSweep::surfaceBelow(btCollisionWorld& world, const glm::vec3& contact,
                                             const glm::vec3& centre, float reach) const {
    glm::vec3 away(contact.x - centre.x, 0.0f, contact.z - centre.z);
    const float length = std::sqrt(away.x * away.x + away.z * away.z);
    away = length > 1e-6f ? away / length : glm::vec3(0.0f);
    const glm::vec3 beside = contact + away * kSurfaceRayOffset;
    const btVector3 from = toBullet(beside + glm::vec3(0.0f, reach, 0.0f));
    const btVector3 to = toBullet(beside - glm::vec3(0.0f, reach, 0.0f));
    ClosestSeenRay ray(filter);
    world.rayTest(from, to, ray);
    Hit result;
    if (!ray.hasHit() || ray.normal.fuzzyZero()) {
        return result;
    }
    result.normal = fromBullet(ray.normal.normalized());
    result.hit = result.normal.y > 0.0f;
    result.point = fromBullet(from.lerp(to, ray.m_closestHitFraction));
    result.distance = ray.m_closestHitFraction * 2.0f * reach;
    result.shape = ray.shape;
    return result;
}

glm::vec3 CapsuleSweep::depenetrate(btCollisionWorld& world, const glm::vec3& position) {
    glm::vec3 at = position;
    for (int pass = 0; pass < kMaxDepenetrationPasses; ++pass) {
        btTransform transform = btTransform::getIdentity();
        transform.setOrigin(toBullet(at));
        probe->setWorldTransform(transform);
        DeepestContact deepest(filter, *probe);
        world.contactTest(probe.get(), deepest);
        if (!(deepest.depth < 0) || deepest.away.fuzzyZero()) {
            break;
        }
        at += fromBullet(deepest.away.normalized()) * (skinWidth - deepest.depth);
    }
    return at;
}

} // namespace physics
