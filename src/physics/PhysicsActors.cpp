#include "physics/PhysicsActors.h"

#include "physics/MemoryReadBuffer.h"
#include "physics/MemoryWriteBuffer.h"
#include "physics/PhysicsWorld.h"
#include "resources/Mesh.h"

#include <cstddef>
#include <vector>

using namespace physics;

namespace {

bool ready(const PhysicsWorld* world) {
    return world && world->sdk && world->scene && world->cooking;
}

ActorDesc placedAt(float x, float y, float z) {
    ActorDesc desc;
    desc.globalPose = Pose::fromTranslation(glm::vec3(x, y, z));
    return desc;
}

Actor* boxActor(PhysicsWorld* world, float x, float y, float z, const glm::vec3& halfExtents,
                unsigned shapeFlags) {
    if (!world || !world->scene) {
        return nullptr;
    }
    ActorDesc desc = placedAt(x, y, z);
    desc.boxes.push_back(BoxShapeDesc{halfExtents, 0, 0, shapeFlags});
    return world->scene->createActor(desc);
}

// The positions to cook: the mesh's own, or scaled copies. Null when the mesh claims
// more vertices than it holds.
const glm::vec3* cookingPoints(const Mesh& mesh, const glm::vec3& scale,
                               std::vector<glm::vec3>& scaled) {
    if (mesh.vertexCount < 0 ||
        static_cast<std::size_t>(mesh.vertexCount) > mesh.cookingPositions.size()) {
        return nullptr;
    }
    if (mesh.vertexCount == 0) {
        return nullptr;
    }
    if (scale == glm::vec3(1.0f)) {
        return mesh.cookingPositions.data();
    }
    scaled.assign(mesh.cookingPositions.begin(), mesh.cookingPositions.begin() + mesh.vertexCount);
    for (glm::vec3& point : scaled) {
        point *= scale;
    }
    return scaled.data();
}

Actor* triangleMeshActor(PhysicsWorld* world, const Mesh& mesh, ActorDesc desc,
                         const glm::vec3& scale) {
    if (!ready(world) || mesh.faceCount < 0 ||
        static_cast<std::size_t>(mesh.faceCount) * 3 > mesh.indices.size()) {
        return nullptr;
    }
    std::vector<glm::vec3> scaled;
    TriangleMeshDesc meshDesc;
    meshDesc.numVertices = static_cast<std::uint32_t>(mesh.vertexCount);
    meshDesc.points = cookingPoints(mesh, scale, scaled);
    meshDesc.pointStrideBytes = sizeof(glm::vec3);
    meshDesc.numTriangles = static_cast<std::uint32_t>(mesh.faceCount);
    meshDesc.triangles = mesh.indices.empty() ? nullptr : mesh.indices.data();
    meshDesc.triangleStrideBytes = 3 * sizeof(std::uint32_t);
    meshDesc.flags = 0;
    meshDesc.heightFieldVerticalAxis = kNoHeightField;
    meshDesc.heightFieldVerticalExtent = 0.0f;
    meshDesc.convexEdgeThreshold = 0.001f;
    if (!meshDesc.isValid()) {
        return nullptr;
    }

    // A failed cook leaves the buffer empty, and no mesh comes of empty bytes.
    MemoryWriteBuffer written;
    world->cooking->cookTriangleMesh(meshDesc, written);
    TriangleMesh* triangles = world->sdk->createTriangleMesh(MemoryReadBuffer(written));
    if (!triangles) {
        return nullptr;
    }
    desc.triangleMeshes.push_back(TriangleMeshShapeDesc{triangles});
    Actor* actor = world->scene->createActor(desc);
    if (!actor) {
        world->sdk->releaseTriangleMesh(*triangles); // no shape uses it: nothing would free it
    }
    return actor;
}

} // namespace

Actor* createBoxActor(PhysicsWorld* world, float x, float y, float z, float hx, float hy,
                      float hz) {
    return boxActor(world, x, y, z, glm::vec3(hx, hy, hz), ShapeFlagDefault);
}

Actor* createTriggerBoxActor(PhysicsWorld* world, float x, float y, float z, float hx, float hy,
                             float hz) {
    return boxActor(world, x, y, z, glm::vec3(hx, hy, hz), ShapeFlagDefault | ShapeTriggerEnable);
}

Actor* createConvexActor(PhysicsWorld* world, const Mesh& mesh, float density, float x, float y,
                         float z, const glm::vec3& scale) {
    if (!ready(world)) {
        return nullptr;
    }
    std::vector<glm::vec3> scaled;
    ConvexMeshDesc meshDesc;
    meshDesc.numVertices = static_cast<std::uint32_t>(mesh.vertexCount);
    meshDesc.points = cookingPoints(mesh, scale, scaled);
    meshDesc.pointStrideBytes = sizeof(glm::vec3);
    meshDesc.flags = ConvexComputeConvex;
    if (!meshDesc.isValid()) {
        return nullptr;
    }

    MemoryWriteBuffer written;
    world->cooking->cookConvexMesh(meshDesc, written);
    ConvexMesh* hull = world->sdk->createConvexMesh(MemoryReadBuffer(written));
    if (!hull) {
        return nullptr;
    }
    ActorDesc desc = placedAt(x, y, z);
    desc.body = BodyDesc{};
    desc.density = density;
    desc.convexes.push_back(ConvexShapeDesc{hull});
    Actor* actor = world->scene->createActor(desc);
    if (!actor) {
        world->sdk->releaseConvexMesh(*hull); // no shape uses it: nothing would free it
    }
    return actor;
}

Actor* createKinematicMeshActor(PhysicsWorld* world, const Mesh& mesh, float density, float x,
                                float y, float z, const glm::vec3& scale) {
    ActorDesc desc = placedAt(x, y, z);
    desc.body = BodyDesc{BodyFlagDefault | BodyFlagKinematic};
    desc.density = density;
    return triangleMeshActor(world, mesh, desc, scale);
}

Actor* createStaticMeshActor(PhysicsWorld* world, const Mesh& mesh, float x, float y, float z,
                             const glm::vec3& scale) {
    return triangleMeshActor(world, mesh, placedAt(x, y, z), scale);
}
