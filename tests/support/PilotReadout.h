#pragma once

// What a scripted pilot reads back from the game: only what a player sees on the screen,
// where the flame is, where it faces and whether it is off the ground.
#include "core/Director.h"
#include "game/Character.h"
#include "physics/engine/Actor.h"

#include <glm/glm.hpp>

#include <cmath>

class PilotReadout {
public:
    explicit PilotReadout(Director& director) : director(director) {}

    glm::vec3 position() const { return character().actor->getGlobalPosition(); }

    // Degrees to turn to face along `to` (an x, z direction): positive to the left, the
    // way A and a mouse move to the left turn.
    float headingError(const glm::vec2& to) const {
        const glm::vec3 back = character().modelMatrix[2];
        const glm::vec2 facing = -glm::normalize(glm::vec2(back.x, back.z));
        const glm::vec2 want = glm::normalize(to);
        const float cross = facing.y * want.x - facing.x * want.y;
        return glm::degrees(std::atan2(cross, glm::dot(facing, want)));
    }

    // Degrees to turn to face the point (x, z) from where the flame stands.
    float headingErrorTowards(float x, float z) const {
        const glm::vec3 at = position();
        return headingError(glm::vec2(x - at.x, z - at.z));
    }

    float distanceTo(float x, float z) const {
        const glm::vec3 at = position();
        return glm::length(glm::vec2(x - at.x, z - at.z));
    }

    bool onTheGround() const { return !motor().jumping && !motor().inAir; }
    const CharacterMotor& motor() const { return character().motor; }
    Character& character() const { return *director.world->character; }

private:
    Director& director;
};
