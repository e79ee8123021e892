#include "physics/engine/CapsuleSweep.h"

#include "physics/engine/Actor.h"
#include "physics/engine/BulletMath.h"

#include <btBulletCollisionCommon.h>

#include <cmath>

namespace physics {

namespace {

constexpr int kMaxDepenetrationPasses = 4;
// How far beside the contact the surface ray goes down: past Bullet's rounded edges.
constexpr float kSurfaceRayOffset = 0.1f;
// Contacts whose normal is this close to square with the motion are only grazed.
constexpr btScalar kGrazing = 1e-3f;

const Actor* actorOf(const btCollisionObject* object) {
    return object ? static_cast<const Actor*>(object->getUserPointer()) : nullptr;
}

// Bullet names a compound's child by its index; any other shape is the actor's only one.
Shape* shapeOf(const btCollisionObject* object, int childIndex) {
    const Actor* actor = actorOf(object);
    if (!actor) {
        return nullptr;
    }
    return &actor->shapeForChild(object->getCollisionShape()->isCompound() ? childIndex : 0);
}

bool seesAnyShape(const CapsuleSweep& sweep, const Actor& self, const btBroadphaseProxy* proxy) {
    const Actor* actor = actorOf(static_cast<const btCollisionObject*>(proxy->m_clientObject));
    if (!actor || actor == &self) {
        return false;
    }
    for (unsigned i = 0; i < actor->getNbShapes(); ++i) {
        if (sweep.sees(actor->getShape(i))) {
            return true;
        }
    }
    return false;
}

class ClosestSeenHit : public btCollisionWorld::ConvexResultCallback {
public:
    ClosestSeenHit(const CapsuleSweep& sweep, const Actor& self, const btVector3& direction)
        : sweep(sweep), self(self), direction(direction) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        return seesAnyShape(sweep, self, proxy);
    }

    btScalar addSingleResult(btCollisionWorld::LocalConvexResult& result, bool) override {
        const int child = result.m_localShapeInfo ? result.m_localShapeInfo->m_triangleIndex : 0;
        Shape* hitShape = shapeOf(result.m_hitCollisionObject, child);
        if (!hitShape || !sweep.sees(*hitShape) || result.m_hitFraction > m_closestHitFraction) {
            return m_closestHitFraction;
        }
        // A surface the capsule only grazes, touching it sideways at the skin, does not
        // stand in the way of this motion (a wall beside a capsule moving down).
        const btVector3& n = result.m_hitNormalLocal;
        if (!n.fuzzyZero() && n.normalized().dot(direction) > -kGrazing) {
            return m_closestHitFraction;
        }
        m_closestHitFraction = result.m_hitFraction;
        shape = hitShape;
        normal = result.m_hitNormalLocal; // Bullet hands world-space normals to sweeps
        point = result.m_hitPointLocal;
        return result.m_hitFraction;
    }

    Shape* shape = nullptr;
    btVector3 normal{0, 0, 0};
    btVector3 point{0, 0, 0};

private:
    const CapsuleSweep& sweep;
    const Actor& self;
    btVector3 direction;
};

class ClosestSeenRay : public btCollisionWorld::RayResultCallback {
public:
    ClosestSeenRay(const CapsuleSweep& sweep, const Actor& self) : sweep(sweep), self(self) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        return seesAnyShape(sweep, self, proxy);
    }

    btScalar addSingleResult(btCollisionWorld::LocalRayResult& result,
                             bool normalInWorld) override {
        const int child = result.m_localShapeInfo ? result.m_localShapeInfo->m_triangleIndex : 0;
        Shape* hitShape = shapeOf(result.m_collisionObject, child);
        if (!hitShape || !sweep.sees(*hitShape) || result.m_hitFraction > m_closestHitFraction) {
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
    const CapsuleSweep& sweep;
    const Actor& self;
};

class DeepestContact : public btCollisionWorld::ContactResultCallback {
public:
    DeepestContact(const CapsuleSweep& sweep, const Actor& self, const btCollisionObject& probe)
        : sweep(sweep), self(self), probe(probe) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        return seesAnyShape(sweep, self, proxy);
    }

    btScalar addSingleResult(btManifoldPoint& point, const btCollisionObjectWrapper* wrap0, int,
                             int index0, const btCollisionObjectWrapper* wrap1, int,
                             int index1) override {
        const bool probeFirst = wrap0->getCollisionObject() == &probe;
        const btCollisionObject* other =
            probeFirst ? wrap1->getCollisionObject() : wrap0->getCollisionObject();
        Shape* shape = shapeOf(other, probeFirst ? index1 : index0);
        const btScalar distance = point.getDistance();
        if (shape && sweep.sees(*shape) && distance < depth) {
            depth = distance;
            // The normal points from the second object to the first.
            away = probeFirst ? point.m_normalWorldOnB : -point.m_normalWorldOnB;
        }
        return 0;
    }

    btScalar depth = 0; // most negative distance seen: the deepest overlap
    btVector3 away{0, 0, 0};

private:
    const CapsuleSweep& sweep;
    const Actor& self;
    const btCollisionObject& probe;
};

} // namespace

CapsuleSweep::CapsuleSweep(float radius, float height, float skinWidth, const Actor& self)
    : self(self), skinWidth(skinWidth),
      sweepShape(std::make_unique<btCapsuleShape>(radius + skinWidth, height)),
      bodyShape(std::make_unique<btCapsuleShape>(radius, height)),
      probe(std::make_unique<btCollisionObject>()) {
    probe->setCollisionShape(bodyShape.get());
}

CapsuleSweep::~CapsuleSweep() = default;

bool CapsuleSweep::sees(const Shape& shape) const {
    const unsigned group = shape.getGroup();
    return !shape.isTrigger() && group < 32 && (activeGroups & (1u << group)) != 0;
}

CapsuleSweep::Hit CapsuleSweep::sweep(btCollisionWorld& world, const glm::vec3& from,
                                      const glm::vec3& direction, float length) const {
    Hit result;
    if (!(length > 0.0f)) {
        return result;
    }
    btTransform start = btTransform::getIdentity();
    start.setOrigin(toBullet(from));
    btTransform end = btTransform::getIdentity();
    end.setOrigin(toBullet(from + direction * length));

    ClosestSeenHit closest(*this, self, toBullet(direction));
    world.convexSweepTest(sweepShape.get(), start, end, closest);
    if (!closest.shape) {
        return result;
    }
    result.hit = true;
    result.distance = closest.m_closestHitFraction * length;
    result.shape = closest.shape;
    result.point = fromBullet(closest.point);
    result.normal =
        fromBullet(closest.normal.fuzzyZero() ? -toBullet(direction) : closest.normal.normalized());
    if (glm::dot(result.normal, direction) > 0.0f) {
        result.normal = -result.normal;
    }
    return result;
}

CapsuleSweep::Hit CapsuleSweep::surfaceBelow(btCollisionWorld& world, const glm::vec3& contact,
                                             const glm::vec3& centre, float reach) const {
    glm::vec3 away(contact.x - centre.x, 0.0f, contact.z - centre.z);
    const float length = std::sqrt(away.x * away.x + away.z * away.z);
    away = length > 1e-6f ? away / length : glm::vec3(0.0f);
    const glm::vec3 beside = contact + away * kSurfaceRayOffset;
    const btVector3 from = toBullet(beside + glm::vec3(0.0f, reach, 0.0f));
    const btVector3 to = toBullet(beside - glm::vec3(0.0f, reach, 0.0f));
    ClosestSeenRay ray(*this, self);
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
        DeepestContact deepest(*this, self, *probe);
        world.contactTest(probe.get(), deepest);
        if (!(deepest.depth < 0) || deepest.away.fuzzyZero()) {
            break;
        }
        at += fromBullet(deepest.away.normalized()) * (skinWidth - deepest.depth);
    }
    return at;
}

} // namespace physics
