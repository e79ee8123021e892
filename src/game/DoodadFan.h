#pragma once

#include "game/Entity.h"

#include <glm/vec3.hpp>

// A turning fan. It starts turning about its local Y axis once the level has been
// running for its start delay, and throws the flame back, at a price, when the flame
// runs into it.
class DoodadFan : public Entity {
public:
    DoodadFan(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
              float startDelay, float turnSpeed, const std::string& materialFile,
              const glm::mat4& modelMatrix);

    void setup() override;
    void update(double dt) override;

    // Back to the state of a freshly started program: no load time stamped yet and no
    // throw height remembered. For running several games in one process.
    static void resetSharedState();

    float startDelay; // seconds after loading before it turns
    float turnSpeed;  // degrees per second
    bool pushing = false;
    glm::vec3 pushDirection{0.0f};
    float pushStrength = 0.0f;

    // Shared by all fans. The first frames after loading are long, and a start delay
    // only means something counted from the first short one.
    inline static bool loadingTimePending = true;
    inline static float loadingTime = 0.0f;
    // The flame's height at the last throw step of any fan: a throw that no longer
    // changes it has come to rest.
    inline static float previousThrowHeight = 0.0f;

private:
    void turn(double dt);
    void startThrow();
    void throwStep();
};
