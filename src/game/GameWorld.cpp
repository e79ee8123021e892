#include "game/GameWorld.h"

#include "physics/PhysicsWorld.h"
#include "resources/Mesh.h"

#include <algorithm>
#include <cmath>
#include <limits>

GameWorld::~GameWorld() {
    // The scene lets go of the actors first: nothing may be stepped or reported
    // against an object that is gone.
    for (const auto& entity : entities) {
        physics.releaseActor(entity->actor);
        entity->actor = nullptr;
    }
    if (character) {
        physics.releaseCharacterController(character->controller);
        character->controller = nullptr;
        character->actor = nullptr;
    }
    entities.clear();
    character.reset();
    levelLights.clear();
}

float GameWorld::lowestPoint() const {
    float lowest = std::numeric_limits<float>::infinity();
    for (const auto& entity : entities) {
        if (!entity->mesh) {
            continue;
        }
        for (const glm::vec4& corner : entity->mesh->boundingCorners) {
            lowest = std::min(lowest, (entity->modelMatrix * glm::vec4(glm::vec3(corner), 1.0f)).y);
        }
    }
    return std::isfinite(lowest) ? lowest : 0.0f;
}

void GameWorld::setup(const WorldServices& services) {
    if (character) {
        // Measured before anything has moved: an upgrade taken drops far below.
        character->fallLimit = lowestPoint() - Character::kFallBelowLevel;
        character->camera = services.camera;
        character->overlay = services.overlay;
        character->program = services.particleProgram;
        character->world = &physics;
        character->setup();
        character->textureManager = services.textureManager;
    }
    // What setup may use is only what it was given before it.
    for (const auto& entity : entities) {
        entity->camera = services.camera;
        entity->overlay = services.overlay;
        entity->world = &physics;
        entity->joinWorld(*this);
        entity->setup();
        entity->textureManager = services.textureManager;
        entity->character = character.get();
    }
}
