#include "physics/engine/ActorDesc.h"

#include "physics/engine/ConvexMesh.h"

#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <cmath>

namespace physics {

namespace {

bool isFinite(const Pose& pose) {
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            if (!std::isfinite(pose.rotation[column][row])) {
                return false;
            }
        }
        if (!std::isfinite(pose.translation[column])) {
            return false;
        }
    }
    return true;
}

bool isExtent(float value) {
    return std::isfinite(value) && value >= 0.0f;
}

} // namespace

float ActorDesc::shapeVolume() const {
    float volume = 0.0f;
    for (const BoxShapeDesc& box : boxes) {
        volume += 8.0f * box.dimensions.x * box.dimensions.y * box.dimensions.z;
    }
    for (const CapsuleShapeDesc& capsule : capsules) {
        const float r = capsule.radius;
        volume += glm::pi<float>() * r * r * (capsule.height + 4.0f / 3.0f * r);
    }
    for (const ConvexShapeDesc& convex : convexes) {
        volume += convex.meshData ? convex.meshData->getVolume() : 0.0f;
    }
    return volume;
}

bool ActorDesc::isValid() const {
    if (shapeCount() == 0 || !isFinite(globalPose)) {
        return false;
    }
    const bool meshesPresent =
        std::all_of(convexes.begin(), convexes.end(),
                    [](const ConvexShapeDesc& s) { return s.meshData != nullptr; }) &&
        std::all_of(triangleMeshes.begin(), triangleMeshes.end(),
                    [](const TriangleMeshShapeDesc& s) { return s.meshData != nullptr; });
    if (!meshesPresent) {
        return false;
    }
    for (const BoxShapeDesc& box : boxes) {
        if (!isExtent(box.dimensions.x) || !isExtent(box.dimensions.y) ||
            !isExtent(box.dimensions.z)) {
            return false;
        }
    }
    for (const CapsuleShapeDesc& capsule : capsules) {
        if (!isExtent(capsule.radius) || capsule.radius == 0.0f || !isExtent(capsule.height)) {
            return false;
        }
    }
    if (isDynamic()) {
        const float mass = density * shapeVolume();
        return triangleMeshes.empty() && mass > 0.0f && std::isfinite(mass);
    }
    return true;
}

} // namespace physics
