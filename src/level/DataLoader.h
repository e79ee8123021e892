#pragma once

#include "level/LightDescription.h"
#include "level/ObjectDescription.h"
#include "level/RecordTypes.h"

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

class Character;
class Entity;
class GameWorld;
class Light;
class Mesh;
class Texture;
class PhysicsWorld;
namespace physics {
class Actor;
}

// Reads the level file into description queues, from which the level is then built.
class DataLoader {
public:
    virtual ~DataLoader() = default;

    // Appends one record per block of the file to the queues, in file order. A file
    // that cannot be opened is reported on standard output and leaves them unchanged.
    void parseLevelFile(const std::string& path);

    // The same for level text from any stream; fileName names it in messages.
    void parseLevelStream(std::istream& in, const std::string& fileName);

    // Builds the level of the file into `level`: its lights and objects (appended to
    // its lists, in reverse file order), their physics actors and collision groups in
    // the level's physics world, and the player with its controller (the first
    // Character of the file), which is also returned (null when the level has none).
    Character* loadLevel(GameWorld& level, Texture& textureManager, const std::string& path,
                         const LevelPrograms& programs);

    // The physics actor of a level object, chosen by its physics type: "plane" a flat
    // static box 600 wide, "dynamic" a convex body (cooked from the low-polygon mesh when
    // the object's own has more than 255 triangles; without one it becomes static, with
    // a message), "kinematic" and "static" its triangle mesh. Meshes are cooked at the
    // record's scale, so the shape has the size the object is drawn with. Null, with a
    // line naming the record, for an unknown physics type; null too when the world
    // cannot make the actor.
    physics::Actor* createPhysicsActor(ObjectDescription record, Mesh& mesh, glm::vec4 position);

    // In file order; the level is built by taking records from the back.
    std::vector<ObjectDescription> objectQueue;
    std::vector<LightDescription> lightQueue;
    Character* character = nullptr;
    // The record the last loadLevel built the player from (empty when it had none).
    ObjectDescription playerRecord;
    PhysicsWorld* world = nullptr;

private:
    std::unique_ptr<Character> buildCharacter(const ObjectDescription& record,
                                              std::uint32_t texture, std::uint32_t program,
                                              const glm::mat4& model);
    void attachActor(const ObjectDescription& record, const RecordRule& rule, Entity& entity);
    // Water gets a plain box: a trigger the size of its mesh for a jet, a solid box of
    // the record's first three parameters for a pool surface.
    physics::Actor* createWaterActor(const ObjectDescription& record, const RecordRule& rule,
                                     const Entity& entity, const glm::vec4& position);
};
