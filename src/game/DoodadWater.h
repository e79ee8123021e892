#pragma once

#include "game/Entity.h"

// A body of water the flame must not touch: every update that finds it touched costs a
// hundredth of the flame. It only acts while in view.
class DoodadWater : public Entity {
public:
    using Entity::Entity;

    void update(double dt) override;
};
