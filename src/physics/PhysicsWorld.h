#pragma once

#include "physics/engine/PhysicsSdk.h"

#include <glm/vec3.hpp>

#include <memory>

// The game's one way into the physics layer: the SDK, the scene, the cooker and the
// world's parameters. The Director makes it, initPhysics starts it, and the loader,
// the character and every entity with an actor share it.
struct PhysicsWorld {
    std::unique_ptr<physics::PhysicsSdk> sdk;
    glm::vec3 gravity{0.0f, -29.43f, 0.0f}; // three times 9.81, Y up
    float skinWidth = 0.01f;
    float restitution = 0.5f;
    float staticFriction = 0.5f;
    float dynamicFriction = 0.5f;
    physics::Cooking* cooking = nullptr;
    physics::UserContactReport* contactReport = nullptr;
    physics::Scene* scene = nullptr;

    // Starts the SDK and the scene. A hardware scene is asked for first and the
    // software one taken silently. Without a scene the game cannot run: on any
    // failure this prints a line naming what failed and returns false.
    bool initPhysics();
};
