#pragma once

#include "physics/engine/ControllerDesc.h"
#include "physics/engine/SweepHit.h"
#include "physics/engine/UserControllerHitReport.h"

#include <glm/vec3.hpp>

#include <memory>
#include <vector>

namespace physics {

class Actor;
class CapsuleSweep;
class ControllerManager;
class Scene;

// Bits of the collision flags that move returns.
enum ControllerFlag : unsigned {
    CollisionSides = 1,
    CollisionUp = 2,
    CollisionDown = 4,
};

// A capsule character controller: collide and slide on sweeps of the capsule, in
// three passes. Up by the wanted rise plus the step offset, sideways with sliding
// along whatever is in the way, then down by the step offset plus the wanted fall.
// A slope steeper than the limit acts as a wall, and a move that would end up on such
// a slope, or on an edge higher than the step offset, is redone without the lift. The capsule never
// passes through anything it sees, however long the move.
//
// Its actor is a kinematic capsule in the scene that follows every move, so the
// simulation pushes dynamic bodies out of its way.
class Controller {
public:
    Controller(ControllerManager& manager, Scene& scene, Actor& actor,
               const CapsuleControllerDesc& desc);
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // Moves by displacement against the shapes of activeGroups (a bit per collision
    // group) and returns the collision flags in collisionFlags. Side motion shorter
    // than minDistance is dropped. sharpness is accepted for the interface; moves are
    // never smoothed. The hit report hears of every shape met, once the move is done.
    void move(const glm::vec3& displacement, unsigned activeGroups, float minDistance,
              unsigned& collisionFlags, float sharpness = 1.0f);

    // Teleports without collision.
    void setPosition(const glm::dvec3& newPosition);
    glm::dvec3 getPosition() const { return position; }
    Actor* getActor() const { return &actor; }
    Scene& getScene() const { return scene; }
    ControllerManager& getManager() const { return manager; }

    // Puts the actor where the controller is.
    void updateActor();

    void* userData = nullptr;

private:
    struct Attempt {
        glm::vec3 end{0.0f};
        unsigned flags = 0;
        bool climbsTooFar = false;
        // The step offset's lift met something the capsule's head would not have met
        // without it: the probe, not the walk, touched it.
        bool liftMetAbove = false;
        // The move came down higher than it started, on a step or a slope it may climb.
        bool climbed = false;
        std::vector<ControllerShapeHit> hits;
    };

    Attempt climbShorter(const glm::vec3& start, const glm::vec3& displacement, float minDistance,
                         const Attempt& unlifted);
    Attempt attempt(const glm::vec3& start, const glm::vec3& displacement, float lift,
                    float minDistance);
    // Moves `at` along the direction until something is met; records the hit.
    SweepHit advance(glm::vec3& at, const glm::vec3& direction, float length, Attempt& into);
    void report(const std::vector<ControllerShapeHit>& hits);

    ControllerManager& manager;
    Scene& scene;
    Actor& actor;
    glm::dvec3 position;
    float radius;
    float height;
    float skinWidth;
    float slopeLimit;
    float stepOffset;
    UserControllerHitReport* callback;
    std::unique_ptr<CapsuleSweep> sweeper;
};

} // namespace physics
