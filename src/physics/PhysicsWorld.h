#pragma once

#include "physics/ActorTag.h"
#include "physics/CollisionGroups.h"
#include "physics/MyControllerHitReport.h"
#include "physics/MyTriggerReport.h"
#include "physics/ShapeTag.h"
#include "physics/engine/PhysicsSdk.h"
#include "physics/engine/UserContactReport.h"

#include <glm/vec3.hpp>

#include <memory>
#include <vector>

// The game's one way into the physics layer: the SDK, the scene, the cooker, the
// controller manager, the two reports and the world's parameters. The Director makes
// it, initPhysics starts it, and the loader, the character and every entity with an
// actor share it. It hands out the tags that actors and shapes point at and the one
// controller manager, and takes back what a level made, so that a level can be torn
// down and built again in the same world.
class PhysicsWorld {
public:
    PhysicsWorld() = default;
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // The world's parameters, read by initPhysics: change them before it.
    glm::vec3 gravity{0.0f, -29.43f, 0.0f}; // three times 9.81, Y up
    float skinWidth = 0.01f;
    float restitution = 0.5f;
    float staticFriction = 0.5f;
    float dynamicFriction = 0.5f;

    // Made by initPhysics; empty before it or when it failed.
    std::unique_ptr<physics::PhysicsSdk> sdk;
    physics::Cooking* cooking = nullptr;
    physics::Scene* scene = nullptr;

    // Starts the SDK and the scene. A hardware scene is asked for first and the
    // software one taken silently. Without a scene the game cannot run: on any
    // failure this prints a line naming what failed and returns false.
    bool initPhysics();

    // The one controller manager of the world, made on first use; null without an SDK.
    physics::ControllerManager* controllerManager();
    // What the character's controller reports its hits to.
    MyControllerHitReport& hitReport() { return controllerHits; }

    // Gives every actor of the scene a new ActorTag and every shape a new ShapeTag.
    // Actors are numbered from the last of the scene's array (id 0) to the first,
    // shapes likewise within their actor. A tag an actor or shape had from an earlier
    // call is dropped.
    void tagActors();
    std::size_t getNbActorTags() const { return actorTags.size(); }
    std::size_t getNbShapeTags() const { return shapeTags.size(); }

    // Takes an actor out of the scene with the tags it and its shapes were given, and
    // frees every cooked mesh its shapes used that no other shape uses. A controller's
    // actor takes its controller along. Null, or an actor of no scene of this world,
    // is left alone (false). Only between fetchResults and the next simulate.
    bool releaseActor(physics::Actor* actor);
    // The controller, its actor and their tags, likewise.
    bool releaseCharacterController(physics::Controller* controller);

private:
    // Drops the tags the actor and its shapes point at.
    void releaseTags(physics::Actor& actor);

    physics::UserContactReport* contactReport = nullptr; // the game takes no contact reports
    MyControllerHitReport controllerHits;
    MyTriggerReport triggerReport;
    physics::ControllerManager* manager = nullptr; // the SDK owns it
    std::vector<std::unique_ptr<ActorTag>> actorTags;
    std::vector<std::unique_ptr<ShapeTag>> shapeTags;
};
