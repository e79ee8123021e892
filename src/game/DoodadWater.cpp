#include "game/DoodadWater.h"

#include "game/ActorTouch.h"
#include "game/Character.h"

namespace {
// Per second of standing on it: a hundredth a frame at 60 frames a second.
constexpr double kDrainPerSecond = 0.01 * 60.0;
} // namespace

void DoodadWater::update(double dt) {
    if (!actor) {
        return;
    }
    syncFromActor();
    if (takeTouch(actor) && character) {
        character->addFlame(-kDrainPerSecond * dt);
    }
}
