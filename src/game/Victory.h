#pragma once

#include "game/Entity.h"

#include <string>

// The goal. The first touch wins the game: the flame is locked in victory and the
// closing lines appear. The game keeps running until the player leaves.
class Victory : public Entity {
public:
    Victory(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
            const std::string& materialFile, const glm::mat4& modelMatrix);
    // Takes its HUD lines off the overlay.
    ~Victory() override;

    // Also registers the hidden closing lines "v1", "v2" and "v3".
    void setup() override;
    void update(double dt) override;

    bool reached = false;
    std::string victoryText = "Victory";
    std::string thanksText = "Thanks for playing Vellamora Demo.";
    std::string moreText = "If you want more - BUY THE FULL VERSION!";
};
