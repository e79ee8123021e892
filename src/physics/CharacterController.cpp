#include "physics/CharacterController.h"

#include "physics/PhysicsWorld.h"

#include <cmath>

namespace {
constexpr float kRadiansPerDegree = 0.017453292f;
}

physics::Controller* createCharacterController(PhysicsWorld* world, float x, float y, float z,
                                               float radius, float height, float skinWidth,
                                               float slopeLimitDegrees, float stepOffset) {
    if (!world || !world->controllerManager()) {
        return nullptr;
    }
    physics::CapsuleControllerDesc desc;
    desc.position = glm::dvec3(x, y, z);
    desc.radius = radius;
    desc.height = height;
    desc.skinWidth = skinWidth;
    desc.slopeLimit = std::cos(slopeLimitDegrees * kRadiansPerDegree);
    desc.stepOffset = stepOffset;
    desc.upDirection = physics::UpAxis::Y;
    desc.callback = &world->hitReport();
    desc.interactionFlag = physics::InteractionFlag::Include;
    desc.userData = nullptr;
    desc.climbingMode = physics::CapsuleClimbingMode::Easy;
    return world->controllerManager()->createController(world->scene, desc);
}
