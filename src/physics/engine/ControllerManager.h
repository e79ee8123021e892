#pragma once

#include "physics/engine/Controller.h"
#include "physics/engine/ControllerDesc.h"

#include <memory>
#include <vector>

namespace physics {

class Actor;
class Scene;

// Makes and owns character controllers.
class ControllerManager {
public:
    ControllerManager();
    ~ControllerManager();
    ControllerManager(const ControllerManager&) = delete;
    ControllerManager& operator=(const ControllerManager&) = delete;

    // Null when there is no scene, the descriptor is invalid or the scene refuses
    // the controller's actor.
    Controller* createController(Scene* scene, const CapsuleControllerDesc& desc);
    unsigned getNbControllers() const { return static_cast<unsigned>(controllers.size()); }
    // Null past the end.
    Controller* getController(unsigned index) const {
        return index < controllers.size() ? controllers[index].get() : nullptr;
    }
    // Destroys the controller, and its actor leaves the scene (Scene::releaseActor, with
    // the same rule on when). False for a controller that is not this manager's.
    bool releaseController(Controller& controller);
    // Every controller, as releaseController.
    void releaseAllControllers();

    // Brings every controller's actor to its controller; call once a frame after the
    // moves, before the scene steps.
    void updateControllers();

    // The controller whose actor this is, or null.
    Controller* controllerOf(const Actor* actor) const;

private:
    std::vector<std::unique_ptr<Controller>> controllers;
};

} // namespace physics
