#pragma once

#include <utility>
#include <vector>

class btCollisionWorld;

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
