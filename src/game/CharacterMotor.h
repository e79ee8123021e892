#pragma once

#include "game/MoveIntent.h"

#include <glm/vec3.hpp>

class Character;

// Turns the player's intent into the flame's motion: walking where the camera looks,
// turning, the camera's tilt and zoom, gravity and the jump. It owns the jump and the
// one way the flame is moved (move), which the fans' throw uses too.
class CharacterMotor {
public:
    // The camera's tilt goes no further than this either way, in degrees.
    static constexpr float kMaxPitch = 85.0f;

    explicit CharacterMotor(Character& character) : character(character) {}

    // Starts a jump, unless the flame is already in the air.
    void jump();

    // One frame of dt seconds: zoom, walk, turn, look, fall and rise. The flame's
    // model matrix follows its actor afterwards.
    void update(const MoveIntent& intent, float dt);

    // Moves the flame's controller by `displacement` against the shapes of `groups`
    // (a bit per collision group), then brings every controller's actor along.
    // Returns the collision flags of the move (0 without a controller).
    unsigned move(const glm::vec3& displacement, unsigned groups, float minDistance);

    // The direction of the walk, kept through a jump.
    glm::vec3 moveDirection{0.0f};
    bool jumping = false;
    bool inAir = false;
    // A jump started standing still may still choose its direction, once, slowly.
    bool standingJump = false;
    bool airSlow = false;
    float jumpTime = 0.0f;
    float jumpStartSpeed = 0.0f;
    // The flame's jump strength when the frame began: a jump asked for after it
    // starts at this speed.
    int jumpStrengthNow = 0;

private:
    void zoom(int wheel, float dt);
    float tilt(float look);
    void steer(const MoveIntent& intent);
    float jumpStep(float dt);
    // The world's gravity (none without a world); the jump rises against twice it.
    glm::vec3 gravity() const;
    // Brings every controller's actor to its controller, as each frame needs once.
    void updateControllers();

    Character& character;
};
