#pragma once

#include "physics/engine/UserControllerHitReport.h"

// What the character's sweep does to what it meets: the actor's tag is marked with
// the direction of the hit, and a dynamic box pushed sideways gets an impulse. Other controllers
// are walked into like walls, with nothing to mark.
class MyControllerHitReport : public physics::UserControllerHitReport {
public:
    physics::ControllerAction onShapeHit(const physics::ControllerShapeHit& hit) override;
};
