#pragma once

#include "physics/engine/Pose.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>
#include <string>

class Camera;
class GpuMesh;
struct DrawRecord;
class Character;
class Material;
class Mesh;
class Texture;
class TextOverlay;
class PhysicsWorld;
namespace physics {
class Actor;
}

// What every drawable game object carries: its mesh and material, its GPU buffers,
// its model matrix and optional physics actor, and the services the Director wires
// in. Entity (level objects) and CharacterEntity (the player) build on it. The object
// draws nothing itself: it describes itself to the renderer in a draw record.
class SceneObject {
public:
    SceneObject(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                const std::string& materialFile, const glm::mat4& modelMatrix);
    virtual ~SceneObject();
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // The actor's rotation and translation become the model matrix, with the object's
    // own scale: it is drawn at the size, and with the mirror, it collides with.
    void syncFromActor();
    // The actor takes the model matrix's rotation and translation.
    void syncToActor();
    // The model matrix of the object standing at a rigid placement (rotation and
    // translation only): the placement times the object's scale.
    void placeAt(const glm::mat4& placement);
    // The model matrix without the object's scale: where and how the object stands.
    physics::Pose pose() const;
    // Whether the lit draw covers what lies behind it everywhere: the material's
    // diffuse alpha is 1 and the texture has no see-through texel. Without a texture
    // manager to ask, the answer is no.
    bool isOpaque() const;
    // What the renderer needs to draw the object this frame (see DrawRecord).
    virtual void describe(DrawRecord& record) const;

    std::unique_ptr<Mesh> mesh;
    std::uint32_t program;
    std::uint32_t texture;
    glm::mat4 modelMatrix;
    // The object's own scale, signs included. The actor's shapes are cooked at it and
    // modelMatrix is kept a rigid placement times it, so the actor's pose never carries
    // a scale. It is read from the matrix the object is made with (the level loader
    // then gives it the record's own, which alone tells a mirror from a half turn) and
    // never again: lengths read back from the matrix frame after frame would wander.
    glm::vec3 scale{1.0f};
    // A sphere around the mesh's bounding box, in the object's frame: the quick part
    // of the view test.
    glm::vec3 boundsCentre{0.0f};
    float boundsRadius = 0.0f;
    glm::mat4 cameraOffset; // where a camera following this object sits, in its frame
    // The mesh on the GPU, shared with every object of the same mesh file, and the
    // names of its two buffers; none until setup.
    std::shared_ptr<const GpuMesh> gpuMesh;
    std::uint32_t vertexBuffer = 0;
    std::uint32_t indexBuffer = 0;
    std::unique_ptr<Material> material;
    std::string meshFile;
    physics::Actor* actor = nullptr;
    PhysicsWorld* world = nullptr;
    Texture* textureManager = nullptr;
    TextOverlay* overlay = nullptr;
    Camera* camera = nullptr;
    Character* character = nullptr;

protected:
    // The mesh on the GPU: positions, normals and texture coordinates as three blocks
    // of one array buffer, and the triangle indices; uploaded by the first object of
    // its file.
    void createBuffers();
    // Lit, textured draw with `program`, which the caller has made current.
    void drawMesh();
    // Positions only, for the shadow depth pass.
    void drawMeshDepth();
    // Lets go of the GPU mesh (the last object to do so deletes its buffers) and
    // forgets the names, so nothing is deleted twice.
    void deleteBuffers();
};
