#pragma once

#include "physics/engine/ControllerManager.h"
#include "physics/engine/ConvexMesh.h"
#include "physics/engine/Cooking.h"
#include "physics/engine/Scene.h"
#include "physics/engine/SceneDesc.h"
#include "physics/engine/TriangleMesh.h"

#include <memory>
#include <vector>

namespace physics {

// The version of the interface the game is written against.
constexpr unsigned kSdkVersion = 0x02080300;

enum class SdkParameter { SkinWidth = 1 };

class Stream;

// The physics SDK object: global parameters, and the scenes, meshes and controller
// managers made from it, which live as long as it does unless released.
class PhysicsSdk {
public:
    void setParameter(SdkParameter parameter, float value);
    float getParameter(SdkParameter parameter) const;

    // Null when the descriptor is invalid or asks for hardware simulation, which
    // this build has none of.
    Scene* createScene(const SceneDesc& desc);

    // Meshes from cooked bytes; null when the stream does not hold such a mesh.
    ConvexMesh* createConvexMesh(const Stream& stream);
    TriangleMesh* createTriangleMesh(const Stream& stream);
    unsigned getNbConvexMeshes() const { return static_cast<unsigned>(convexMeshes.size()); }
    unsigned getNbTriangleMeshes() const { return static_cast<unsigned>(triangleMeshes.size()); }
    // Frees a mesh that no live shape uses any more. False, and the mesh stays, while a
    // shape still uses it or when it is not this SDK's.
    bool releaseConvexMesh(ConvexMesh& mesh);
    bool releaseTriangleMesh(TriangleMesh& mesh);

    ControllerManager* createControllerManager();
    // Releases the manager's controllers (their actors leave their scenes) and then the
    // manager. False for a manager that is not this SDK's.
    bool releaseControllerManager(ControllerManager& manager);

private:
    float skinWidth = 0.025f;
    // Declared first so they go last: shapes of the scenes' actors use them.
    std::vector<std::unique_ptr<ConvexMesh>> convexMeshes;
    std::vector<std::unique_ptr<TriangleMesh>> triangleMeshes;
    std::vector<std::unique_ptr<Scene>> scenes;
    std::vector<std::unique_ptr<ControllerManager>> controllerManagers;
};

// Null when the game was written for another version of the interface.
std::unique_ptr<PhysicsSdk> createPhysicsSdk(unsigned version);

// Null for another interface version.
Cooking* getCookingLib(unsigned version);

} // namespace physics
