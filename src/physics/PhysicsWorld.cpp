#include "physics/PhysicsWorld.h"

#include <iostream>

using namespace physics;

namespace {
constexpr float kMaxTimestep = 1.0f / 60.0f;
constexpr unsigned kMaxSubSteps = 8;

bool fail(const char* what) {
    std::cout << "Could not init physics: " << what << std::endl;
    return false;
}
} // namespace

bool PhysicsWorld::initPhysics() {
    sdk = createPhysicsSdk(kSdkVersion);
    if (!sdk) {
        return fail("the physics SDK did not start");
    }
    cooking = getCookingLib(kSdkVersion);
    if (!cooking || !cooking->initCooking()) {
        return fail("mesh cooking did not start");
    }
    sdk->setParameter(SdkParameter::SkinWidth, skinWidth);

    SceneDesc desc;
    desc.gravity = gravity;
    desc.userContactReport = contactReport;
    desc.maxTimestep = kMaxTimestep;
    desc.maxIter = kMaxSubSteps;
    desc.timeStepMethod = TimeStepMethod::Fixed;
    desc.simType = SimulationType::Hardware;
    scene = sdk->createScene(desc);
    if (!scene) {
        desc.simType = SimulationType::Software;
        scene = sdk->createScene(desc);
    }
    if (!scene) {
        return fail("no physics scene could be created");
    }

    Material* defaultMaterial = scene->getMaterialFromIndex(0);
    defaultMaterial->setRestitution(restitution);
    defaultMaterial->setStaticFriction(staticFriction);
    defaultMaterial->setDynamicFriction(dynamicFriction);
    scene->setTiming(kMaxTimestep, kMaxSubSteps, TimeStepMethod::Fixed);
    return true;
}
