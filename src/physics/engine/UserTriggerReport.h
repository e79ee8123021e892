#pragma once

namespace physics {

class Shape;

// Bits of the status handed to onTrigger.
enum TriggerFlag : unsigned {
    TriggerOnEnter = 1,
    TriggerOnLeave = 2,
    TriggerOnStay = 4,
};

// Receives trigger events of a scene on the game thread, when fetchResults returns.
class UserTriggerReport {
public:
    virtual ~UserTriggerReport() = default;
    virtual void onTrigger(Shape& /*triggerShape*/, Shape& /*otherShape*/, unsigned /*status*/) {}
};

} // namespace physics
