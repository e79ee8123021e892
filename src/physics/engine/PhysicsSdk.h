#pragma once

#include "physics/engine/Scene.h"
#include "physics/engine/SceneDesc.h"

#include <memory>
#include <vector>

namespace physics {

// The version of the interface the game is written against.
constexpr unsigned kSdkVersion = 0x02080300;

enum class SdkParameter { SkinWidth = 1 };

// The physics SDK object: global parameters and the scenes made from it.
class PhysicsSdk {
public:
    void setParameter(SdkParameter parameter, float value);
    float getParameter(SdkParameter parameter) const;

    // Null when the descriptor is invalid or asks for hardware simulation, which
    // this build has none of.
    Scene* createScene(const SceneDesc& desc);

private:
    float skinWidth = 0.025f;
    std::vector<std::unique_ptr<Scene>> scenes;
};

// Null when the game was written for another version of the interface.
std::unique_ptr<PhysicsSdk> createPhysicsSdk(unsigned version);

// Mesh cooking: turns vertex data into the meshes that shapes are made of.
class Cooking {
public:
    bool initCooking() {
        initialized = true;
        return true;
    }
    bool isInitialized() const { return initialized; }

private:
    bool initialized = false;
};

// Null for another interface version.
Cooking* getCookingLib(unsigned version);

} // namespace physics
