#include "physics/engine/ControllerManager.h"

#include "physics/engine/Actor.h"
#include "physics/engine/Scene.h"

#include <algorithm>

namespace physics {

ControllerManager::ControllerManager() = default;
ControllerManager::~ControllerManager() = default;

Controller* ControllerManager::createController(Scene* scene, const CapsuleControllerDesc& desc) {
    if (!scene || !desc.isValid()) {
        return nullptr;
    }
    ActorDesc actorDesc;
    actorDesc.globalPose = Pose::fromTranslation(glm::vec3(desc.position));
    actorDesc.body = BodyDesc{BodyFlagDefault | BodyFlagKinematic};
    actorDesc.capsules.push_back(CapsuleShapeDesc{desc.radius, desc.height});
    Actor* actor = scene->createActor(actorDesc);
    if (!actor) {
        return nullptr;
    }
    controllers.push_back(std::make_unique<Controller>(*this, *scene, *actor, desc));
    return controllers.back().get();
}

bool ControllerManager::releaseController(Controller& controller) {
    auto held = std::find_if(controllers.begin(), controllers.end(),
                             [&controller](const auto& c) { return c.get() == &controller; });
    if (held == controllers.end()) {
        return false;
    }
    Scene& scene = controller.getScene();
    Actor& actor = *controller.getActor();
    controllers.erase(held); // the sweeps know the actor: they go first
    scene.releaseActor(actor);
    return true;
}

void ControllerManager::releaseAllControllers() {
    while (!controllers.empty()) {
        releaseController(*controllers.back());
    }
}

void ControllerManager::updateControllers() {
    for (const auto& controller : controllers) {
        controller->updateActor();
    }
}

Controller* ControllerManager::controllerOf(const Actor* actor) const {
    for (const auto& controller : controllers) {
        if (controller->getActor() == actor) {
            return controller.get();
        }
    }
    return nullptr;
}

} // namespace physics
