#pragma once

#include "physics/engine/Actor.h"
#include "physics/engine/Material.h"
#include "physics/engine/SceneDesc.h"
#include "physics/engine/StepWorker.h"

#include <memory>
#include <vector>

class btDefaultCollisionConfiguration;
class btCollisionDispatcher;
class btBroadphaseInterface;
class btSequentialImpulseConstraintSolver;
class btDiscreteDynamicsWorld;

namespace physics {

enum SimulationStatus : unsigned { RigidBodyFinished = 1 };

// A rigid-body scene on Bullet, stepped the SDK way: simulate starts the frame's
// fixed steps on a worker thread and returns; fetchResults waits for them. Between
// the two the game must not touch the scene.
class Scene {
public:
    explicit Scene(const SceneDesc& desc);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Material 0 always exists and is the default of every shape; null past the end.
    Material* getMaterialFromIndex(unsigned index);
    void setTiming(float maxTimestep, unsigned maxIter, TimeStepMethod method);
    glm::vec3 getGravity() const { return gravity; }

    // Advances the scene by elapsedTime seconds. With fixed stepping the time is
    // cut into maxTimestep steps, at most maxIter of them; a remainder shorter than
    // one step is carried into the next call, time beyond maxIter steps is dropped.
    void simulate(float elapsedTime);
    // Hands buffered commands to the simulation; ours are applied at once.
    void flushStream() {}
    // Waits for (block) or polls the step started by simulate; true when it is done.
    bool fetchResults(SimulationStatus status, bool block);

    Actor* createActor(const ActorDesc& desc);
    unsigned getNbActors() const { return static_cast<unsigned>(actors.size()); }
    Actor* const* getActors() const { return actors.data(); }

    UserTriggerReport* getUserTriggerReport() const { return triggerReport; }
    UserContactReport* getUserContactReport() const { return contactReport; }

    // Fixed steps run by the last simulate call.
    unsigned getLastStepCount() const { return lastStepCount; }

private:
    void runSteps(unsigned count, float stepLength);

    glm::vec3 gravity;
    float maxTimestep;
    unsigned maxIter;
    TimeStepMethod timeStepMethod;
    double accumulator = 0.0;
    unsigned lastStepCount = 0;
    UserTriggerReport* triggerReport;
    UserContactReport* contactReport;

    std::vector<std::unique_ptr<Material>> materials;
    std::vector<Actor*> actors;
    std::vector<std::unique_ptr<Actor>> ownedActors;

    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btBroadphaseInterface> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> world;
    StepWorker worker; // last: stopped before the world goes away
};

} // namespace physics
