#include "physics/engine/Scene.h"

#include "physics/engine/internal/ActorImpl.h"
#include "physics/engine/internal/BulletMath.h"
#include "physics/engine/internal/ConvexSweep.h"
#include "physics/engine/internal/SceneImpl.h"

#include <algorithm>
#include <cmath>

namespace physics {

namespace {
// Rounding slack when cutting elapsed time into steps: a frame of exactly one step,
// handed over in single precision, still counts as one step.
constexpr double kStepSlack = 1e-6;

unsigned firstMaterialIndex(const ActorDesc& desc) {
    if (!desc.boxes.empty()) {
        return desc.boxes.front().materialIndex;
    }
    if (!desc.capsules.empty()) {
        return desc.capsules.front().materialIndex;
    }
    if (!desc.convexes.empty()) {
        return desc.convexes.front().materialIndex;
    }
    return desc.triangleMeshes.empty() ? 0 : desc.triangleMeshes.front().materialIndex;
}

std::pair<const Actor*, const Actor*> pairKey(const Actor* a, const Actor* b) {
    return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
}

bool hasTriggerShape(const Actor& actor) {
    for (unsigned i = 0; i < actor.getNbShapes(); ++i) {
        if (actor.getShape(i).isTrigger()) {
            return true;
        }
    }
    return false;
}

// Drops the pairs that the group table no longer allows.
class DisabledPairRemover : public btOverlapCallback {
public:
    explicit DisabledPairRemover(const btOverlapFilterCallback& filter) : filter(filter) {}
    bool processOverlap(btBroadphasePair& pair) override {
        return !filter.needBroadphaseCollision(pair.m_pProxy0, pair.m_pProxy1);
    }

private:
    const btOverlapFilterCallback& filter;
};

class SleeperWaker : public btBroadphaseAabbCallback {
public:
    bool process(const btBroadphaseProxy* proxy) override {
        auto* object = static_cast<btCollisionObject*>(proxy->m_clientObject);
        if (!object->isStaticOrKinematicObject()) {
            object->activate(true);
        }
        return true;
    }
};

} // namespace

bool SceneDesc::isValid() const {
    return std::isfinite(gravity.x) && std::isfinite(gravity.y) && std::isfinite(gravity.z) &&
           maxTimestep > 0.0f && std::isfinite(maxTimestep) && maxIter >= 1;
}

Scene::Impl::Impl(const GroupCollisionTable& table)
    : collisionConfiguration(std::make_unique<btDefaultCollisionConfiguration>()),
      dispatcher(std::make_unique<btCollisionDispatcher>(collisionConfiguration.get())),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      filter(std::make_unique<GroupFilter>(table)) {
    broadphase->getOverlappingPairCache()->setOverlapFilterCallback(filter.get());
    dynamicsWorld = std::make_unique<btDiscreteDynamicsWorld>(
        dispatcher.get(), broadphase.get(), solver.get(), collisionConfiguration.get());
}

Scene::Impl::~Impl() {
    worker.wait();
}

Scene::Scene(const SceneDesc& desc)
    : gravity(desc.gravity), maxTimestep(desc.maxTimestep), maxIter(desc.maxIter),
      timeStepMethod(desc.timeStepMethod), triggerReport(desc.userTriggerReport),
      contactReport(desc.userContactReport), internals(std::make_unique<Impl>(groupTable)) {
    materials.push_back(std::make_unique<Material>());
    btDiscreteDynamicsWorld& world = internals->world();
    world.setGravity(toBullet(gravity));
    // A static body moves only through setGlobalPose, which brings its bounds up to
    // date there and then (actorMoved): each step need only update the bodies that are
    // awake, not every wall and crate of the level.
    world.setForceUpdateAllAabbs(false);
}

Scene::~Scene() {
    internals->worker.wait();
    for (Actor* actor : actors) {
        internals->world().removeRigidBody(actor->impl().body.get());
    }
}

Material* Scene::getMaterialFromIndex(unsigned index) {
    return index < materials.size() ? materials[index].get() : nullptr;
}

void Scene::setTiming(float newMaxTimestep, unsigned newMaxIter, TimeStepMethod method) {
    if (newMaxTimestep > 0.0f && newMaxIter >= 1) {
        maxTimestep = newMaxTimestep;
        maxIter = newMaxIter;
    }
    timeStepMethod = method;
}

void Scene::simulate(float elapsedTime) {
    if (!(elapsedTime > 0.0f) || !std::isfinite(elapsedTime)) {
        lastStepCount = 0;
        return;
    }
    unsigned count = 1;
    float stepLength = elapsedTime;
    if (timeStepMethod == TimeStepMethod::Fixed) {
        accumulator += elapsedTime;
        const double whole = std::floor(accumulator / maxTimestep + kStepSlack);
        accumulator = std::max(0.0, accumulator - whole * maxTimestep);
        count = static_cast<unsigned>(std::min<double>(whole, maxIter));
        stepLength = maxTimestep;
    }
    lastStepCount = count;
    if (filterDirty) {
        refilterPairs();
    }
    if (count > 0) {
        internals->worker.start([this, count, stepLength] { runSteps(count, stepLength); });
    }
}

void Scene::runSteps(unsigned count, float stepLength) {
    for (unsigned i = 0; i < count; ++i) {
        // maxSubSteps 0: Bullet takes exactly this step, without its own interpolation.
        internals->world().stepSimulation(stepLength, 0);
        internals->triggers.update(internals->world(), groupTable);
    }
}

bool Scene::fetchResults(SimulationStatus, bool block) {
    if (!block && internals->worker.isBusy()) {
        return false;
    }
    internals->worker.wait();
    internals->triggers.deliver(triggerReport);
    return true;
}

Actor* Scene::createActor(const ActorDesc& desc) {
    if (!desc.isValid()) {
        return nullptr;
    }
    const Material* material = getMaterialFromIndex(firstMaterialIndex(desc));
    auto actor = std::make_unique<Actor>(desc, material ? *material : *materials.front());
    actor->scene = this;
    internals->world().addRigidBody(actor->impl().body.get());
    if (hasTriggerShape(*actor)) {
        internals->triggers.addTriggerActor(*actor);
    }
    actors.push_back(actor.get());
    ownedActors.push_back(std::move(actor));
    return actors.back();
}

void Scene::setGroupCollisionFlag(std::uint16_t group1, std::uint16_t group2, bool enable) {
    if (groupTable.get(group1, group2) != enable) {
        groupTable.set(group1, group2, enable);
        filterDirty = true;
    }
}

void Scene::setActorPairFlags(Actor& actor1, Actor& actor2, unsigned flags) {
    pairFlags[pairKey(&actor1, &actor2)] = flags;
}

unsigned Scene::getActorPairFlags(const Actor& actor1, const Actor& actor2) const {
    auto found = pairFlags.find(pairKey(&actor1, &actor2));
    return found == pairFlags.end() ? 0 : found->second;
}

bool Scene::releaseActor(Actor& actor) {
    auto owned = std::find_if(ownedActors.begin(), ownedActors.end(),
                              [&actor](const auto& held) { return held.get() == &actor; });
    if (owned == ownedActors.end()) {
        return false;
    }
    internals->worker.wait();
    btRigidBody& body = *actor.impl().body;
    // What rested on the actor must fall once it is gone, as when it moves away.
    if (const btBroadphaseProxy* proxy = body.getBroadphaseHandle()) {
        const btVector3 low = proxy->m_aabbMin;
        const btVector3 high = proxy->m_aabbMax;
        internals->world().removeRigidBody(&body);
        wakeBodiesAround(fromBullet(low), fromBullet(high));
    }
    internals->triggers.forget(actor);
    for (auto pair = pairFlags.begin(); pair != pairFlags.end();) {
        pair = pair->first.first == &actor || pair->first.second == &actor ? pairFlags.erase(pair)
                                                                           : std::next(pair);
    }
    actors.erase(std::find(actors.begin(), actors.end(), &actor));
    ownedActors.erase(owned);
    return true;
}

namespace {

bool isFinite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

SweepHit Scene::sweepSphere(const glm::vec3& from, const glm::vec3& to, float radius,
                            unsigned groupMask, const Actor* ignore) const {
    const glm::vec3 motion = to - from;
    const float length = std::sqrt(motion.x * motion.x + motion.y * motion.y + motion.z * motion.z);
    if (!isFinite(from) || !isFinite(to) || !(radius > 0.0f) || !std::isfinite(radius) ||
        !(length > 0.0f) || !std::isfinite(length)) {
        return SweepHit{};
    }
    internals->worker.wait();
    const btSphereShape sphere(radius);
    return sweepConvex(internals->world(), sphere, from, motion / length, length,
                       QueryFilter{groupMask, ignore});
}

unsigned Scene::getContactCount(const Actor& actor) const {
    internals->worker.wait();
    const btCollisionObject* body = actor.impl().body.get();
    btDispatcher& dispatcher = *internals->dispatcher;
    unsigned count = 0;
    for (int i = 0; i < dispatcher.getNumManifolds(); ++i) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(i);
        const btCollisionObject* a = manifold->getBody0();
        const btCollisionObject* b = manifold->getBody1();
        if ((a == body || b == body) && a->hasContactResponse() && b->hasContactResponse()) {
            count += static_cast<unsigned>(manifold->getNumContacts());
        }
    }
    return count;
}

void Scene::actorMoved(Actor& actor) {
    btRigidBody& body = *actor.impl().body;
    btBroadphaseProxy* proxy = body.getBroadphaseHandle();
    if (!proxy) {
        return;
    }
    // Sweeps between steps read the broadphase, so it must know the new place now. A
    // body asleep on the actor, where it was or where it is now, must wake up, or it
    // would hang in the air when a platform sinks away under it.
    btVector3 low = proxy->m_aabbMin;
    btVector3 high = proxy->m_aabbMax;
    internals->world().updateSingleAabb(&body);
    low.setMin(proxy->m_aabbMin);
    high.setMax(proxy->m_aabbMax);
    wakeBodiesAround(fromBullet(low), fromBullet(high));
}

void Scene::wakeBodiesAround(const glm::vec3& low, const glm::vec3& high) {
    SleeperWaker waker;
    internals->broadphase->aabbTest(toBullet(low), toBullet(high), waker);
}

void Scene::refilterPairs() {
    filterDirty = false;
    // Pairs that are now disabled go at once; re-inserting every body lets the
    // broadphase find the pairs that were enabled, between resting bodies too.
    DisabledPairRemover remover(*internals->filter);
    internals->broadphase->getOverlappingPairCache()->processAllOverlappingPairs(
        &remover, internals->dispatcher.get());
    for (Actor* actor : actors) {
        btRigidBody& body = *actor->impl().body;
        internals->world().refreshBroadphaseProxy(&body);
        body.activate();
    }
}

} // namespace physics
