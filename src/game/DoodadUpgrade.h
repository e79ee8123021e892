#pragma once

#include "game/Entity.h"

// A pickup that refills the flame. Once taken it drops out of reach and comes back
// where it was placed after its respawn delay; with a negative delay it is gone for good.
class DoodadUpgrade : public Entity {
public:
    DoodadUpgrade(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                  float flameBonus, float respawnDelay, const std::string& materialFile,
                  const glm::mat4& modelMatrix);

    void setup() override;
    void update(double dt) override;

    float flameBonus;
    float respawnDelay; // seconds; negative: never back
    glm::mat4 homePose;
    bool hidden = false;
    double hiddenAt = 0.0; // clock time of the pick-up
};
