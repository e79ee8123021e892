#pragma once

#include "game/Entity.h"

// A plain level object: static, kinematic, dynamic or a floor plane, by its physics line.
class Box : public Entity {
public:
    using Entity::Entity;
    void update(double) override {}
};
