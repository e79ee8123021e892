#include "physics/engine/internal/TriggerTracker.h"

#include "physics/engine/Actor.h"
#include "physics/engine/GroupCollisionTable.h"
#include "physics/engine/UserTriggerReport.h"
#include "physics/engine/internal/ActorImpl.h"
#include "physics/engine/internal/QueryFilter.h"

#include <algorithm>
#include <iterator>

namespace physics {

namespace {

// Collects the pairs of one trigger actor's trigger shapes and the shapes they overlap.
class OverlapCollector : public btCollisionWorld::ContactResultCallback {
public:
    OverlapCollector(Actor& trigger, const GroupCollisionTable& table,
                     std::vector<std::pair<Shape*, Shape*>>& found)
        : trigger(trigger), table(table), found(found) {}

    bool needsCollision(btBroadphaseProxy* proxy) const override {
        const Actor* other = actorOf(static_cast<btCollisionObject*>(proxy->m_clientObject));
        // Static shapes never set off a trigger.
        return other && other != &trigger && (other->isDynamic() || other->isKinematic());
    }

    btScalar addSingleResult(btManifoldPoint&, const btCollisionObjectWrapper* wrap0, int,
                             int index0, const btCollisionObjectWrapper* wrap1, int,
                             int index1) override {
        const bool triggerFirst = actorOf(wrap0->getCollisionObject()) == &trigger;
        const btCollisionObjectWrapper* otherWrap = triggerFirst ? wrap1 : wrap0;
        Actor* other = actorOf(otherWrap->getCollisionObject());
        if (!other) {
            return 0;
        }
        Shape& triggerShape = *shapeOf((triggerFirst ? wrap0 : wrap1)->getCollisionObject(),
                                       triggerFirst ? index0 : index1);
        Shape& otherShape =
            *shapeOf(otherWrap->getCollisionObject(), triggerFirst ? index1 : index0);
        if (triggerShape.isTrigger() && !otherShape.isTrigger() &&
            table.get(triggerShape.getGroup(), otherShape.getGroup())) {
            found.emplace_back(&triggerShape, &otherShape);
        }
        return 0;
    }

private:
    Actor& trigger;
    const GroupCollisionTable& table;
    std::vector<std::pair<Shape*, Shape*>>& found;
};

} // namespace

void TriggerTracker::update(btCollisionWorld& world, const GroupCollisionTable& table) {
    if (triggerActors.empty()) {
        return;
    }
    std::vector<Pair> now;
    for (Actor* actor : triggerActors) {
        OverlapCollector collector(*actor, table, now);
        world.contactTest(actor->impl().body.get(), collector);
    }
    std::sort(now.begin(), now.end());
    now.erase(std::unique(now.begin(), now.end()), now.end());

    for (const Pair& pair : now) {
        const bool wasInside = std::binary_search(inside.begin(), inside.end(), pair);
        queue(pair, wasInside ? TriggerOnStay : TriggerOnEnter);
    }
    std::vector<Pair> left;
    std::set_difference(inside.begin(), inside.end(), now.begin(), now.end(),
                        std::back_inserter(left));
    for (const Pair& pair : left) {
        queue(pair, TriggerOnLeave);
    }
    inside = std::move(now);
}

void TriggerTracker::forget(const Actor& actor) {
    auto owns = [&actor](const Shape* shape) { return &shape->getActor() == &actor; };
    triggerActors.erase(std::remove(triggerActors.begin(), triggerActors.end(), &actor),
                        triggerActors.end());
    inside.erase(
        std::remove_if(inside.begin(), inside.end(),
                       [&](const Pair& pair) { return owns(pair.first) || owns(pair.second); }),
        inside.end());
    pending.erase(std::remove_if(
                      pending.begin(), pending.end(),
                      [&](const Event& event) { return owns(event.trigger) || owns(event.other); }),
                  pending.end());
}

void TriggerTracker::queue(const Pair& pair, unsigned status) {
    if ((pair.first->getFlags() & status) != 0) {
        pending.push_back(Event{pair.first, pair.second, status});
    }
}

void TriggerTracker::deliver(UserTriggerReport* report) {
    std::vector<Event> events;
    events.swap(pending);
    if (!report) {
        return;
    }
    for (const Event& event : events) {
        report->onTrigger(*event.trigger, *event.other, event.status);
    }
}

} // namespace physics
