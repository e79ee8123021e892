#pragma once

#include "physics/engine/Scene.h"
#include "physics/engine/StepWorker.h"
#include "physics/engine/internal/GroupFilter.h"
#include "physics/engine/internal/TriggerTracker.h"

#include <btBulletDynamicsCommon.h>

#include <memory>

namespace physics {

// The collision engine's side of a scene: its world, the filter that reads the group
// table, the trigger bookkeeping and the thread the steps run on.
struct Scene::Impl {
    explicit Impl(const GroupCollisionTable& table);
    ~Impl();

    btDiscreteDynamicsWorld& world() { return *dynamicsWorld; }

    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btBroadphaseInterface> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<GroupFilter> filter;
    std::unique_ptr<btDiscreteDynamicsWorld> dynamicsWorld;
    TriggerTracker triggers;
    StepWorker worker; // last: stopped before the world goes away
};

} // namespace physics
