#include "game/CharacterMotor.h"

#include "camera/Camera.h"
#include "game/Character.h"
#include "physics/CollisionGroups.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"
#include "physics/engine/ControllerManager.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr float kZoomSpeed = 30.0f;
// Walking in the air after a standing jump: a fifth of the speed.
constexpr float kAirSlowFactor = 0.2f;
constexpr float kWalkMinDistance = 0.001f;

} // namespace

void CharacterMotor::jump() {
    if (!inAir && !jumping) {
        jumping = true;
        jumpTime = 0.0f;
        jumpStartSpeed = static_cast<float>(jumpStrengthNow);
    }
}

// The camera distance follows the wheel at a fixed speed.
void CharacterMotor::zoom(int wheel, float dt) {
    float z = character.cameraOffset[3][2];
    if (static_cast<int>(z) == wheel) {
        return;
    }
    const float step = kZoomSpeed * dt;
    if (static_cast<float>(wheel) > z) {
        z += step;
    }
    if (static_cast<float>(wheel) < z) {
        z -= step;
    }
    character.cameraOffset[3][2] = z;
}

// Walking directions come from the camera: forwards is where the camera looks.
void CharacterMotor::steer(const MoveIntent& intent) {
    const Camera* camera = character.camera;
    const float a = camera ? camera->view[2][0] : 0.0f;
    const float b = camera ? camera->view[2][2] : 1.0f;
    // A jump keeps last frame's direction; one started standing may still pick one.
    if (!jumping) {
        moveDirection = glm::vec3(0.0f);
    } else if (moveDirection == glm::vec3(0.0f)) {
        standingJump = true;
    }
    if (!jumping || standingJump) {
        if (intent.walk > 0) {
            moveDirection += glm::vec3(a, 0.0f, -b);
        } else if (intent.walk < 0) {
            moveDirection += glm::vec3(-a, 0.0f, b);
        }
        if (intent.strafe < 0) {
            moveDirection += glm::vec3(-b, 0.0f, -a);
        } else if (intent.strafe > 0) {
            moveDirection += glm::vec3(b, 0.0f, a);
        }
    }
    moveDirection.y = 0.0f;
    const float length = glm::length(moveDirection);
    if (length != 0.0f) {
        moveDirection /= length;
    }
}

glm::vec3 CharacterMotor::gravity() const {
    return character.world ? character.world->gravity : glm::vec3(0.0f);
}

// The rise of this frame's part of the jump: a throw upwards under doubled gravity.
float CharacterMotor::jumpStep(float dt) {
    if (!jumping) {
        return 0.0f;
    }
    const float g = 2.0f * gravity().y;
    const float t = jumpTime;
    const float v = jumpStartSpeed + g * t;
    jumpTime = t + dt;
    return v * dt + 0.5f * g * dt * dt;
}

void CharacterMotor::updateControllers() {
    if (character.world && character.world->controllerManager()) {
        character.world->controllerManager()->updateControllers();
    }
}

unsigned CharacterMotor::move(const glm::vec3& displacement, unsigned groups, float minDistance) {
    unsigned flags = 0;
    if (character.controller) {
        character.controller->move(displacement, groups, minDistance, flags, 1.0f);
    }
    updateControllers();
    return flags;
}

// The share of a look that keeps the camera's tilt within its limits, never past
// straight down or straight up (where the view would turn over).
float CharacterMotor::tilt(float look) {
    const float pitch = character.cameraPitch + look;
    if (pitch > kMaxPitch) {
        look = kMaxPitch - character.cameraPitch;
    } else if (pitch < -kMaxPitch) {
        look = -kMaxPitch - character.cameraPitch;
    }
    character.cameraPitch += look;
    return look;
}

void CharacterMotor::update(const MoveIntent& intent, float dt) {
    zoom(intent.zoom, dt);
    jumpStrengthNow = character.jumpStrength;
    steer(intent);

    if (standingJump) {
        standingJump = false;
        airSlow = true;
    }
    glm::vec3 velocity = static_cast<float>(character.moveSpeed) * moveDirection;
    if (airSlow) {
        velocity *= kAirSlowFactor;
    }
    // Gravity pulls every frame, on the ground too: that keeps the feet on slopes.
    glm::vec3 displacement = (gravity() + velocity) * dt;
    const float rise = jumpStep(dt);
    if (rise != 0.0f) {
        displacement.y += rise;
    }

    // Locked (game over or won): no move, and so no contact either.
    unsigned flags = 0;
    if (!character.locked && character.controller) {
        flags = move(displacement, kCharacterMoveGroups, kWalkMinDistance);
    } else {
        updateControllers();
    }
    if (flags & physics::CollisionDown) {
        jumping = false;
        airSlow = false;
        inAir = false;
    } else {
        inAir = true;
    }
    if (flags & physics::CollisionUp) {
        // Head against a ceiling: the jump goes on as a fall from rest.
        jumpStartSpeed = 0.0f;
        jumpTime = 0.0f;
    }

    if (character.actor) {
        character.modelMatrix[3] = glm::vec4(character.actor->getGlobalPosition(), 1.0f);
    }
    character.modelMatrix =
        glm::rotate(character.modelMatrix, glm::radians(intent.turn), glm::vec3(0, 1, 0));
    character.cameraOffset =
        glm::rotate(character.cameraOffset, glm::radians(tilt(intent.look)), glm::vec3(1, 0, 0));
}
