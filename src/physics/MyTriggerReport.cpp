#include "physics/MyTriggerReport.h"

#include "physics/ActorTag.h"
#include "physics/CollisionGroups.h"
#include "physics/engine/Actor.h"

void MyTriggerReport::onTrigger(physics::Shape& triggerShape, physics::Shape& otherShape,
                                unsigned status) {
    // Entering and leaving alone change nothing: the water drains the flame for as
    // long as the character stays, step by step, so each step counts.
    if (triggerShape.getGroup() != GROUP_TRIGGER || otherShape.getGroup() != GROUP_DEFAULT ||
        (status & physics::TriggerOnStay) == 0) {
        return;
    }
    if (auto* tag = static_cast<ActorTag*>(triggerShape.getActor().userData)) {
        ++tag->touched;
    }
}
