#pragma once

#include "render/LocationCache.h"

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <memory>
#include <string>

class Camera;
class Character;
class Material;
class Mesh;
class Texture;
class TextOverlay;
struct PhysicsWorld;
namespace physics {
class Actor;
}

// What every drawable game object carries: its mesh and material, its GPU buffers,
// its model matrix and optional physics actor, and the services the Director wires
// in. Entity (level objects) and CharacterEntity (the player) build on it, so the
// drawing code exists once.
class SceneObject {
public:
    SceneObject(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                const std::string& materialFile, const glm::mat4& modelMatrix);
    virtual ~SceneObject();
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // The actor's rotation and translation become the model matrix; the object's own
    // scale is kept, so it is drawn at the size it collides at.
    void syncFromActor();
    // The actor takes the model matrix's rotation and translation.
    void syncToActor();
    // Whether the lit draw covers what lies behind it everywhere: the material's
    // diffuse alpha is 1 and the texture has no see-through texel. Without a texture
    // manager to ask, the answer is no.
    bool isOpaque() const;

    std::unique_ptr<Mesh> mesh;
    std::uint32_t program;
    std::uint32_t texture;
    glm::mat4 modelMatrix;
    glm::mat4 cameraOffset; // where a camera following this object sits, in its frame
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
    // Uploads the mesh: positions, normals and texture coordinates as three blocks
    // of one array buffer, and the triangle indices.
    void createBuffers();
    // Lit, textured draw with `program`, which the caller has made current.
    void drawMesh();
    // Positions only, for the shadow depth pass.
    void drawMeshDepth();
    // Deletes both buffers and forgets their names, so nothing is deleted twice.
    void deleteBuffers();

private:
    // Locations in the programs this object is drawn with (lit and depth passes).
    LocationCache locations;
};
