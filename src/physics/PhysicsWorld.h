#pragma once

#include "physics/ActorTag.h"
#include "physics/MyControllerHitReport.h"
#include "physics/MyTriggerReport.h"
#include "physics/ShapeTag.h"
#include "physics/engine/PhysicsSdk.h"

#include <glm/vec3.hpp>

#include <memory>
#include <vector>

// The game's one way into the physics layer: the SDK, the scene, the cooker, the
// controller manager, the two reports and the world's parameters. The Director makes
// it, initPhysics starts it, and the loader, the character and every entity with an
// actor share it.
struct PhysicsWorld {
    std::unique_ptr<physics::PhysicsSdk> sdk;
    glm::vec3 gravity{0.0f, -29.43f, 0.0f}; // three times 9.81, Y up
    float skinWidth = 0.01f;
    float restitution = 0.5f;
    float staticFriction = 0.5f;
    float dynamicFriction = 0.5f;
    physics::Cooking* cooking = nullptr;
    physics::UserContactReport* contactReport = nullptr;
    MyControllerHitReport hitReport;
    MyTriggerReport triggerReport;
    // Made by the level loader from the SDK (sdk->createControllerManager()), which owns it.
    physics::ControllerManager* controllerManager = nullptr;
    physics::Scene* scene = nullptr;
    // What tagActors handed out; actors and shapes point at them until the world goes.
    std::vector<std::unique_ptr<ActorTag>> actorTags;
    std::vector<std::unique_ptr<ShapeTag>> shapeTags;

    // Starts the SDK and the scene. A hardware scene is asked for first and the
    // software one taken silently. Without a scene the game cannot run: on any
    // failure this prints a line naming what failed and returns false.
    bool initPhysics();

    // Gives every actor of the scene a new ActorTag and every shape a new ShapeTag.
    // Actors are numbered from the last of the scene's array (id 0) to the first,
    // shapes likewise within their actor.
    void tagActors();
};
