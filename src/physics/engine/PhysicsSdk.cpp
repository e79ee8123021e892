#include "physics/engine/PhysicsSdk.h"

namespace physics {

std::unique_ptr<PhysicsSdk> createPhysicsSdk(unsigned version) {
    if (version != kSdkVersion) {
        return nullptr;
    }
    return std::make_unique<PhysicsSdk>();
}

Cooking* getCookingLib(unsigned version) {
    static Cooking cooking;
    return version == kSdkVersion ? &cooking : nullptr;
}

void PhysicsSdk::setParameter(SdkParameter parameter, float value) {
    switch (parameter) {
    case SdkParameter::SkinWidth:
        skinWidth = value;
        break;
    }
}

float PhysicsSdk::getParameter(SdkParameter parameter) const {
    switch (parameter) {
    case SdkParameter::SkinWidth:
        return skinWidth;
    }
    return 0.0f;
}

Scene* PhysicsSdk::createScene(const SceneDesc& desc) {
    if (desc.simType == SimulationType::Hardware || !desc.isValid()) {
        return nullptr;
    }
    scenes.push_back(std::make_unique<Scene>(desc));
    return scenes.back().get();
}

ConvexMesh* PhysicsSdk::createConvexMesh(const Stream& stream) {
    std::unique_ptr<ConvexMesh> mesh = ConvexMesh::create(stream);
    if (!mesh) {
        return nullptr;
    }
    convexMeshes.push_back(std::move(mesh));
    return convexMeshes.back().get();
}

TriangleMesh* PhysicsSdk::createTriangleMesh(const Stream& stream) {
    std::unique_ptr<TriangleMesh> mesh = TriangleMesh::create(stream);
    if (!mesh) {
        return nullptr;
    }
    triangleMeshes.push_back(std::move(mesh));
    return triangleMeshes.back().get();
}

ControllerManager* PhysicsSdk::createControllerManager() {
    controllerManagers.push_back(std::make_unique<ControllerManager>());
    return controllerManagers.back().get();
}

} // namespace physics
