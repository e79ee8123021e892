#pragma once

#include "game/CharacterEntity.h"
#include "game/CharacterMotor.h"
#include "game/FlameParticles.h"
#include "render/Light.h"

#include <limits>
#include <memory>
#include <string>

namespace physics {
class Controller;
} // namespace physics

// The player: a flame that drains with time, shows its strength on the HUD, feeds
// the flame particles and ends the game when it runs out.
class Character : public CharacterEntity, public LightAnchor {
public:
    Character(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
              const std::string& materialFile, const glm::mat4& modelMatrix);
    // Takes its HUD lines off the overlay.
    ~Character() override;

    // Registers the "character" and "go" lines and readies the particles.
    void setup() override;
    void update(double dt) override;
    // The flame particles; the character's mesh itself is not drawn.
    void draw() override;
    // The flame's sprites, for the particle pass.
    void describe(DrawRecord& record) const override;

    // Adds to the flame, never above full.
    void addFlame(double change);

    // Goes on where `earlier`, the flame of the level this one replaces, stood: its
    // place, heading, camera and flame value. Both must be in the same physics scene.
    void continueFrom(const Character& earlier);

    // The light sits on the flame's origin and goes out when the flame has run out
    // (a flame that reached the goal burns on).
    glm::vec4 lightPosition() const override {
        return modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    }
    bool isOut() const override { return locked && !victorious; }

    // A flame this far below the lowest point of the level has fallen out of it: the
    // game is over at once.
    static constexpr float kFallBelowLevel = 30.0f;

    double lastDrainTime = 0.0;
    // The height below which the flame has fallen out (set by the world).
    float fallLimit = -std::numeric_limits<float>::infinity();
    // How far the player has tilted the camera over the flame, in degrees: positive
    // looks down on it. Kept within CharacterMotor::kMaxPitch.
    float cameraPitch = 0.0f;
    int moveSpeed = 40;
    int jumpStrength = 55;
    double flame = 1.0;  // 1 is full; below 0 the game is over
    bool locked = false; // no more moves: game over or victory
    bool victorious = false;
    physics::Controller* controller = nullptr;
    // Walks, turns and jumps the flame by its controller.
    CharacterMotor motor{*this};
    std::unique_ptr<FlameParticles> particles;
    float particleSpeedScale = 2.5f;
    int particleCountScale = 8;
    std::string flameText;
    std::string gameOverText = "GAME OVER";

private:
    // The flame's value on the HUD and in the particles' speed and number.
    void showFlame();
};
