#include "physics/engine/Shape.h"

#include "physics/engine/Actor.h"
#include "physics/engine/Scene.h"

namespace physics {

void Shape::setGroup(std::uint16_t newGroup) {
    if (newGroup == group) {
        return;
    }
    group = newGroup;
    if (Scene* scene = owner.getScene()) {
        scene->filterChanged();
    }
}

} // namespace physics
