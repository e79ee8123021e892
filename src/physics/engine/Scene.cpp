#include "physics/engine/Scene.h"

#include "physics/engine/BulletMath.h"
#include "physics/engine/GroupFilter.h"

#include <btBulletDynamicsCommon.h>

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

Scene::Scene(const SceneDesc& desc)
    : gravity(desc.gravity), maxTimestep(desc.maxTimestep), maxIter(desc.maxIter),
      timeStepMethod(desc.timeStepMethod), triggerReport(desc.userTriggerReport),
      contactReport(desc.userContactReport) {
    materials.push_back(std::make_unique<Material>());
    collisionConfiguration = std::make_unique<btDefaultCollisionConfiguration>();
    dispatcher = std::make_unique<btCollisionDispatcher>(collisionConfiguration.get());
    broadphase = std::make_unique<btDbvtBroadphase>();
    solver = std::make_unique<btSequentialImpulseConstraintSolver>();
    filter = std::make_unique<GroupFilter>(groupTable);
    broadphase->getOverlappingPairCache()->setOverlapFilterCallback(filter.get());
    world = std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(),
                                                      solver.get(), collisionConfiguration.get());
    world->setGravity(toBullet(gravity));
    // A static body moves only through setGlobalPose, which brings its bounds up to
    // date there and then (actorMoved): each step need only update the bodies that are
    // awake, not every wall and crate of the level.
    world->setForceUpdateAllAabbs(false);
}

Scene::~Scene() {
    worker.wait();
    for (Actor* actor : actors) {
        world->removeRigidBody(&actor->body());
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
        worker.start([this, count, stepLength] { runSteps(count, stepLength); });
    }
}

void Scene::runSteps(unsigned count, float stepLength) {
    for (unsigned i = 0; i < count; ++i) {
        // maxSubSteps 0: Bullet takes exactly this step, without its own interpolation.
        world->stepSimulation(stepLength, 0);
        triggers.update(*world, groupTable);
    }
}

bool Scene::fetchResults(SimulationStatus, bool block) {
    if (!block && worker.isBusy()) {
        return false;
    }
    worker.wait();
    triggers.deliver(triggerReport);
    return true;
}

Actor* Scene::createActor(const ActorDesc& desc) {
    if (!desc.isValid()) {
        return nullptr;
    }
    const Material* material = getMaterialFromIndex(firstMaterialIndex(desc));
    auto actor = std::make_unique<Actor>(desc, material ? *material : *materials.front());
    actor->scene = this;
    world->addRigidBody(&actor->body());
    if (hasTriggerShape(*actor)) {
        triggers.addTriggerActor(*actor);
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

btCollisionWorld& Scene::collisionWorld() {
    return *world;
}

void Scene::actorMoved(Actor& actor) {
    btRigidBody& body = actor.body();
    btBroadphaseProxy* proxy = body.getBroadphaseHandle();
    if (!proxy) {
        return;
    }
    // Sweeps between steps read the broadphase, so it must know the new place now. A
    // body asleep on the actor, where it was or where it is now, must wake up, or it
    // would hang in the air when a platform sinks away under it.
    btVector3 low = proxy->m_aabbMin;
    btVector3 high = proxy->m_aabbMax;
    world->updateSingleAabb(&body);
    low.setMin(proxy->m_aabbMin);
    high.setMax(proxy->m_aabbMax);
    SleeperWaker waker;
    broadphase->aabbTest(low, high, waker);
}

void Scene::refilterPairs() {
    filterDirty = false;
    // Pairs that are now disabled go at once; re-inserting every body lets the
    // broadphase find the pairs that were enabled, between resting bodies too.
    DisabledPairRemover remover(*filter);
    broadphase->getOverlappingPairCache()->processAllOverlappingPairs(&remover, dispatcher.get());
    for (Actor* actor : actors) {
        world->refreshBroadphaseProxy(&actor->body());
        actor->body().activate();
    }
}

} // namespace physics
