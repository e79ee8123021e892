#pragma once

#include "game/Entity.h"

// A platform that starts sinking once the flame touches it and comes to rest for
// good a little more than five units below where it started.
class DoodadBox : public Entity {
public:
    DoodadBox(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
              const std::string& materialFile, const glm::mat4& modelMatrix);

    void update(double dt) override;

    bool sinking = false;
    float startHeight; // the height it was placed at
};
