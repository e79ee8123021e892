#include "physics/engine/Scene.h"

#include "physics/engine/BulletMath.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>

namespace physics {

namespace {
// Rounding slack when cutting elapsed time into steps: a frame of exactly one step,
// handed over in single precision, still counts as one step.
constexpr double kStepSlack = 1e-6;
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
    world = std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(),
                                                      solver.get(), collisionConfiguration.get());
    world->setGravity(toBullet(gravity));
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
    if (count > 0) {
        worker.start([this, count, stepLength] { runSteps(count, stepLength); });
    }
}

void Scene::runSteps(unsigned count, float stepLength) {
    for (unsigned i = 0; i < count; ++i) {
        // maxSubSteps 0: Bullet takes exactly this step, without its own interpolation.
        world->stepSimulation(stepLength, 0);
    }
}

bool Scene::fetchResults(SimulationStatus, bool block) {
    if (!block && worker.isBusy()) {
        return false;
    }
    worker.wait();
    return true;
}

Actor* Scene::createActor(const ActorDesc& desc) {
    if (desc.boxes.empty()) {
        return nullptr;
    }
    auto actor = std::make_unique<Actor>(desc, *materials.front());
    world->addRigidBody(&actor->body());
    actors.push_back(actor.get());
    ownedActors.push_back(std::move(actor));
    return actors.back();
}

} // namespace physics
