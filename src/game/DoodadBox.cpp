#include "game/DoodadBox.h"

#include "game/ActorTouch.h"

namespace {
constexpr float kSinkSpeed = 0.5f; // units per second
constexpr float kSinkDepth = 5.0f;
} // namespace

DoodadBox::DoodadBox(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                     const std::string& materialFile, const glm::mat4& modelMatrix)
    : Entity(meshFile, texture, program, materialFile, modelMatrix), startHeight(modelMatrix[3].y) {
    // Sinking goes on while nobody looks, so it must not wait for the view.
    updateWhenCulled = true;
}

void DoodadBox::update(double dt) {
    if (!actor) {
        return;
    }
    syncFromActor();
    if (takeTouch(actor)) {
        sinking = true;
    }
    // Checked after the touch, so a box at the bottom cannot be set off again.
    if (modelMatrix[3].y < startHeight - kSinkDepth) {
        sinking = false;
    }
    if (sinking) {
        modelMatrix[3].y -= kSinkSpeed * static_cast<float>(dt);
        syncToActor();
    }
}
