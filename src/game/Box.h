#pragma once

#include "game/Entity.h"

// A plain level object: static, kinematic, dynamic or a floor plane, by its physics line.
class Box : public Entity {
public:
    using Entity::Entity;

    void setup() override;
    // A dynamic box is drawn where the simulation has it.
    void update(double dt) override;

private:
    // Known at setup: the update of thousands of still boxes need not ask the actor.
    bool dynamic = false;
};
