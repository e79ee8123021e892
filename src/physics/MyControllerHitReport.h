#pragma once

#include "physics/engine/UserControllerHitReport.h"

// What the character's sweep does to what it meets: the actor's tag is marked with
// the direction of the hit, and a dynamic box pushed sideways gets an impulse.
class MyControllerHitReport : public physics::UserControllerHitReport {
public:
    physics::ControllerAction onShapeHit(const physics::ControllerShapeHit& hit) override;
    physics::ControllerAction onControllerHit(const physics::ControllersHit& hit) override;
};
