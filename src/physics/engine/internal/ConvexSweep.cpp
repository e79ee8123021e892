#include "physics/engine/internal/ConvexSweep.h"

#include "physics/engine/internal/BulletMath.h"

#include <glm/geometric.hpp>

namespace physics {

namespace {

// Contacts whose normal is this close to square with the motion are only grazed.
constexpr btScalar kGrazing = 1e-3f;

class ClosestSeenHit : public btCollisionWorld::ConvexResultCallback {
public:
    ClosestSeenHit(const QueryFilter& filter, const btVector3& direction)
        : filter(filter), direction(direction) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        return filter.seesAnyShapeOf(proxy);
    }

    btScalar addSingleResult(btCollisionWorld::LocalConvexResult& result, bool) override {
        const int child = result.m_localShapeInfo ? result.m_localShapeInfo->m_triangleIndex : 0;
        Shape* hitShape = shapeOf(result.m_hitCollisionObject, child);
        if (!hitShape || !filter.sees(*hitShape) || result.m_hitFraction > m_closestHitFraction) {
            return m_closestHitFraction;
        }
        const btVector3& n = result.m_hitNormalLocal;
        if (!n.fuzzyZero() && n.normalized().dot(direction) > -kGrazing) {
            return m_closestHitFraction;
        }
        m_closestHitFraction = result.m_hitFraction;
        shape = hitShape;
        normal = result.m_hitNormalLocal; // sweeps are handed world-space normals
        point = result.m_hitPointLocal;
        return result.m_hitFraction;
    }

    Shape* shape = nullptr;
    btVector3 normal{0, 0, 0};
    btVector3 point{0, 0, 0};

private:
    const QueryFilter& filter;
    btVector3 direction;
};

} // namespace

SweepHit sweepConvex(const btCollisionWorld& world, const btConvexShape& shape,
                     const glm::vec3& from, const glm::vec3& direction, float length,
                     const QueryFilter& filter) {
    SweepHit result;
    if (!(length > 0.0f)) {
        return result;
    }
    btTransform start = btTransform::getIdentity();
    start.setOrigin(toBullet(from));
    btTransform end = btTransform::getIdentity();
    end.setOrigin(toBullet(from + direction * length));

    ClosestSeenHit closest(filter, toBullet(direction));
    world.convexSweepTest(&shape, start, end, closest);
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

} // namespace physics
