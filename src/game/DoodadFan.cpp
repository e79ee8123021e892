#include "game/DoodadFan.h"

#include "game/ActorTouch.h"
#include "game/Character.h"
#include "game/GameWorld.h"
#include "physics/CollisionGroups.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"

#include <algorithm>

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {
// Frames at least this long are still the loading itself.
constexpr double kLoadingFrame = 0.5;
constexpr double kThrowCost = 0.1;
// A unit each 60th of a second, whatever the frame rate: a throw, not a wind.
constexpr float kThrowSpeed = 60.0f;
// How far a throw carries the flame along the ground; one that leaves it in the air
// goes on until it lands or hits something.
constexpr float kThrowLength = 4.0f;
// The throw only meets the placed level objects, not the boxes lying about.
constexpr unsigned kThrowGroups = kLevelGroups;
constexpr float kThrowMinDistance = 0.001f;
} // namespace

DoodadFan::DoodadFan(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                     float startDelay, float turnSpeed, const std::string& materialFile,
                     const glm::mat4& modelMatrix)
    : Entity(meshFile, texture, program, materialFile, modelMatrix), startDelay(startDelay),
      turnSpeed(turnSpeed) {}

void DoodadFan::setup() {
    Entity::setup();
    updateWhenCulled = true;
}

void DoodadFan::joinWorld(GameWorld& world) {
    schedule = &world.fans;
}

void DoodadFan::update(double dt) {
    if (!actor) {
        return;
    }
    syncFromActor();
    if (schedule->loadingTimePending) {
        if (dt < kLoadingFrame) {
            schedule->loadingTimePending = false;
            schedule->loadingTime = static_cast<float>(platform::clock().now());
            platform::DiagnosticLine() << "loadingtime: " << schedule->loadingTime;
        }
    } else {
        turn(dt);
    }

    if (takeTouch(actor) && !pushing) {
        startThrow();
    }
    if (pushing) {
        throwStep(static_cast<float>(dt));
    }
}

void DoodadFan::turn(double dt) {
    const double now = platform::clock().now();
    if (now - schedule->loadingTime - startDelay <= 0.0) {
        return;
    }
    // The turn goes between the placement and the scale: a fan stretched along one of
    // its axes keeps its shape all the way round, as its cooked shape does.
    const float degrees = turnSpeed * static_cast<float>(dt);
    placeAt(glm::rotate(pose().toMatrix(), glm::radians(degrees), glm::vec3(0.0f, 1.0f, 0.0f)));
    syncToActor();
}

void DoodadFan::startThrow() {
    pushing = true;
    if (character) {
        character->addFlame(-kThrowCost);
    }
    // Back the way the flame came; the small lift keeps the direction defined when the
    // flame hit the fan from straight above or below.
    const glm::vec3 hit = tagOf(actor)->hitDirection;
    pushDirection = glm::normalize(glm::vec3(-hit.x, 0.001f, -hit.z));
    pushStrength = 1.0f;
    thrown = 0.0f;
}

void DoodadFan::throwStep(float dt) {
    if (!character || !character->controller) {
        pushing = false;
        return;
    }
    float step = kThrowSpeed * pushStrength * std::max(dt, 0.0f);
    if (!character->motor.inAir) {
        step = std::min(step, std::max(kThrowLength - thrown, 0.0f));
    }
    const unsigned flags =
        character->motor.move(pushDirection * step, kThrowGroups, kThrowMinDistance);
    thrown += step;
    if (flags != 0 || (thrown >= kThrowLength && !character->motor.inAir)) {
        pushing = false;
    }
}
