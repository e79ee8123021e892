#include "physics/engine/PhysicsSdk.h"

#include <algorithm>

namespace physics {

namespace {

// Frees the one held object, if it is held and unused; false otherwise.
template <typename T> bool releaseUnused(std::vector<std::unique_ptr<T>>& held, const T& object) {
    auto found = std::find_if(held.begin(), held.end(),
                              [&object](const auto& h) { return h.get() == &object; });
    if (found == held.end() || object.getReferenceCount() > 0) {
        return false;
    }
    held.erase(found);
    return true;
}

} // namespace

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

bool PhysicsSdk::releaseConvexMesh(ConvexMesh& mesh) {
    return releaseUnused(convexMeshes, mesh);
}

bool PhysicsSdk::releaseTriangleMesh(TriangleMesh& mesh) {
    return releaseUnused(triangleMeshes, mesh);
}

bool PhysicsSdk::releaseControllerManager(ControllerManager& manager) {
    auto found = std::find_if(controllerManagers.begin(), controllerManagers.end(),
                              [&manager](const auto& held) { return held.get() == &manager; });
    if (found == controllerManagers.end()) {
        return false;
    }
    manager.releaseAllControllers();
    controllerManagers.erase(found);
    return true;
}

ControllerManager* PhysicsSdk::createControllerManager() {
    controllerManagers.push_back(std::make_unique<ControllerManager>());
    return controllerManagers.back().get();
}

} // namespace physics
