#include "game/DoodadUpgrade.h"

#include "game/ActorTouch.h"
#include "game/Character.h"
#include "platform/Platform.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {
// Far enough below the level that nothing reaches it there.
constexpr float kDropDepth = 200.0f;
} // namespace

DoodadUpgrade::DoodadUpgrade(const std::string& meshFile, std::uint32_t texture,
                             std::uint32_t program, float flameBonus, float respawnDelay,
                             const std::string& materialFile, const glm::mat4& modelMatrix)
    : Entity(meshFile, texture, program, materialFile, modelMatrix), flameBonus(flameBonus),
      respawnDelay(respawnDelay), homePose(modelMatrix) {}

void DoodadUpgrade::setup() {
    Entity::setup();
    // The respawn must come even while the place is out of view.
    updateWhenCulled = true;
}

void DoodadUpgrade::update(double) {
    if (!actor) {
        return;
    }
    syncFromActor();
    const double now = platform::clock().now();
    if (takeTouch(actor) && !hidden) {
        if (character) {
            character->addFlame(flameBonus);
        }
        modelMatrix = glm::translate(modelMatrix, glm::vec3(0.0f, -kDropDepth, 0.0f));
        syncToActor();
        if (respawnDelay >= 0.0f) {
            hiddenAt = now;
            hidden = true;
        }
    }
    if (hidden && hiddenAt + respawnDelay < now) {
        hidden = false;
        modelMatrix = homePose;
        syncToActor();
    }
}
