#pragma once

#include "physics/engine/Actor.h"
#include "physics/engine/GroupCollisionTable.h"
#include "physics/engine/Material.h"
#include "physics/engine/SceneDesc.h"
#include "physics/engine/SweepHit.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace physics {

class UserContactReport;
class UserTriggerReport;

enum SimulationStatus : unsigned { RigidBodyFinished = 1 };

// A rigid-body scene on the collision engine, stepped the SDK way: simulate starts the frame's
// fixed steps on a worker thread and returns; fetchResults waits for them and then
// hands the steps' trigger events to the trigger report, on the caller's thread.
// Between the two the game must not touch the scene.
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
    // Waits for (block) or polls the step started by simulate; true when it is done,
    // and then the trigger events of the finished steps have been delivered.
    bool fetchResults(SimulationStatus status, bool block);

    // The actor exists at once. Null when the descriptor fails ActorDesc::isValid.
    Actor* createActor(const ActorDesc& desc);
    unsigned getNbActors() const { return static_cast<unsigned>(actors.size()); }
    Actor* const* getActors() const { return actors.data(); }
    // Takes the actor and its shapes out of the scene for good: out of the simulation,
    // out of every trigger it was in or was (with no leave event for it), out of the
    // pair flags, and out of the actor list, whose order the others keep. The actor is
    // destroyed; nothing of the scene points at it any more. Call it only between
    // fetchResults and the next simulate, like any change to the scene. A controller's
    // actor goes with its controller (ControllerManager::releaseController). False, and
    // nothing happens, for an actor that is not in this scene.
    bool releaseActor(Actor& actor);

    UserTriggerReport* getUserTriggerReport() const { return triggerReport; }
    UserContactReport* getUserContactReport() const { return contactReport; }

    // Whether shapes of two groups meet, in the simulation and in trigger tests. A
    // change applies from the next step on, to bodies already touching as well.
    void setGroupCollisionFlag(std::uint16_t group1, std::uint16_t group2, bool enable);
    bool getGroupCollisionFlag(std::uint16_t group1, std::uint16_t group2) const {
        return groupTable.get(group1, group2);
    }
    const GroupCollisionTable& getGroupTable() const { return groupTable; }

    // Contact notification flags of an actor pair (ContactPairFlag bits), in either
    // order. They are kept, but no contact notification is ever delivered: the game
    // has no contact report.
    void setActorPairFlags(Actor& actor1, Actor& actor2, unsigned flags);
    unsigned getActorPairFlags(const Actor& actor1, const Actor& actor2) const;

    // The nearest non-trigger shape, of a group in groupMask (a bit per group), that a
    // sphere of the radius meets moving from `from` to `to`; the ignored actor is seen
    // through. Runs between steps on the game thread, as the controllers' sweeps do. A
    // sphere that starts inside a shape does not see it. No hit for a radius that is
    // not positive, a sweep of no length or anything not finite.
    SweepHit sweepSphere(const glm::vec3& from, const glm::vec3& to, float radius,
                         unsigned groupMask, const Actor* ignore = nullptr) const;

    // Contact points between the actor and the bodies it pushes against, as the last
    // step left them; triggers push nothing and are not counted. Zero for an actor
    // that is not in this scene.
    unsigned getContactCount(const Actor& actor) const;

    // Called by actors and shapes when their pose or group changes.
    void actorMoved(Actor& actor);
    void filterChanged() { filterDirty = true; }

    // Fixed steps run by the last simulate call.
    unsigned getLastStepCount() const { return lastStepCount; }

    // The collision engine's side; complete only inside the engine.
    struct Impl;
    Impl& impl() const { return *internals; }

private:
    void runSteps(unsigned count, float stepLength);
    void refilterPairs();
    void wakeBodiesAround(const glm::vec3& low, const glm::vec3& high);

    glm::vec3 gravity;
    float maxTimestep;
    unsigned maxIter;
    TimeStepMethod timeStepMethod;
    double accumulator = 0.0;
    unsigned lastStepCount = 0;
    UserTriggerReport* triggerReport;
    UserContactReport* contactReport;
    GroupCollisionTable groupTable;
    bool filterDirty = false;
    std::map<std::pair<const Actor*, const Actor*>, unsigned> pairFlags;

    std::vector<std::unique_ptr<Material>> materials;
    std::vector<Actor*> actors;
    std::vector<std::unique_ptr<Actor>> ownedActors;
    // Last, so the steps stop and the simulation goes before the actors do.
    std::unique_ptr<Impl> internals;
};

} // namespace physics
