#pragma once

#include <btBulletCollisionCommon.h>

#include <utility>
#include <vector>

namespace physics {

class Actor;
class Shape;
class GroupCollisionTable;
class UserTriggerReport;

// Trigger bookkeeping of a scene. After every step it finds the shapes of dynamic and
// kinematic actors inside each trigger shape and queues enter (first step inside),
// stay (every later step) and leave (first step outside), as far as the trigger's
// flags ask for them. The queue is handed over on the game thread.
class TriggerTracker {
public:
    void addTriggerActor(Actor& actor) { triggerActors.push_back(&actor); }
    // Drops everything that names the actor or one of its shapes: the actor as a
    // trigger, the pairs it is in and the events not yet handed over. Nothing is
    // reported for it, not even a leave.
    void forget(const Actor& actor);

    // Runs on the stepping thread, right after a step.
    void update(btCollisionWorld& world, const GroupCollisionTable& table);
    // Calls the report for every queued event, oldest first, and empties the queue.
    void deliver(UserTriggerReport* report);

private:
    struct Event {
        Shape* trigger;
        Shape* other;
        unsigned status;
    };
    using Pair = std::pair<Shape*, Shape*>; // trigger shape, shape inside

    void queue(const Pair& pair, unsigned status);

    std::vector<Actor*> triggerActors;
    std::vector<Pair> inside; // sorted
    std::vector<Event> pending;
};

} // namespace physics
