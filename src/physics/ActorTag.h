#pragma once

#include <glm/vec3.hpp>

#include <cstdint>

// The one channel from physics to the game: every actor's user data points at its
// tag. The hit reports set touched, the trigger reports count their steps in it; the
// game objects read and clear it.
struct ActorTag {
    std::uint32_t id = 0; // running number from tagActors
    std::uint32_t reserved = 0;
    std::uint32_t touched = 0;
    glm::vec3 hitDirection{0.0f}; // of the last controller hit on this actor
};
