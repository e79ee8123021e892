#pragma once

#include "game/Entity.h"
#include "game/FanSchedule.h"

#include <glm/vec3.hpp>

// A turning fan. It starts turning about its local Y axis once the level has been
// running for its start delay, and throws the flame back, at a price, when the flame
// runs into it.
class DoodadFan : public Entity {
public:
    DoodadFan(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
              float startDelay, float turnSpeed, const std::string& materialFile,
              const glm::mat4& modelMatrix);

    // Shares the schedule of the world's fans.
    void joinWorld(GameWorld& world) override;
    void setup() override;
    void update(double dt) override;

    float startDelay; // seconds after loading before it turns
    float turnSpeed;  // degrees per second
    bool pushing = false;
    glm::vec3 pushDirection{0.0f};
    float pushStrength = 0.0f;
    float thrown = 0.0f; // how far the throw has carried the flame so far

    // The schedule shared with the other fans of the world; a fan on its own keeps
    // one of its own.
    FanSchedule* schedule = &ownSchedule;

private:
    void turn(double dt);
    void startThrow();
    void throwStep(float dt);

    FanSchedule ownSchedule;
};
