#pragma once

#include "physics/engine/UserTriggerReport.h"

// Marks a water volume touched on every step the character stays inside it.
class MyTriggerReport : public physics::UserTriggerReport {
public:
    void onTrigger(physics::Shape& triggerShape, physics::Shape& otherShape,
                   unsigned status) override;
};
