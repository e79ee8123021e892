#include "game/DoodadWater.h"

#include "game/ActorTouch.h"
#include "game/Character.h"

namespace {
constexpr double kDrain = 0.01;
} // namespace

void DoodadWater::update(double) {
    if (!actor) {
        return;
    }
    syncFromActor();
    if (takeTouch(actor) && character) {
        character->addFlame(-kDrain);
    }
}
