#include "level/DataLoader.h"

#include "level/LevelReader.h"
#include "level/RecordTypes.h"

#include "game/Box.h"
#include "game/Character.h"
#include "game/CollisionBox.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/Victory.h"
#include "game/Water.h"
#include "physics/CharacterController.h"
#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Controller.h"
#include "physics/engine/ControllerManager.h"
#include "platform/Diagnostics.h"
#include "render/Light.h"
#include "resources/Mesh.h"
#include "resources/Texture.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

// T * R * S: a point is scaled, then rotated, then moved into place.
glm::mat4 modelMatrixOf(const ObjectDescription& record) {
    glm::mat4 model = glm::translate(glm::mat4(1.0f), record.position);
    const glm::vec3 axis(record.rotation.y, record.rotation.z, record.rotation.w);
    // A zero axis names no rotation; turning about it would fill the matrix with NaN.
    if (glm::length(axis) > 0.0f) {
        model = glm::rotate(model, glm::radians(record.rotation.x), axis);
    }
    return glm::scale(model, record.scale);
}

std::uint16_t collisionGroupOf(const ObjectDescription& record) {
    if (record.recordType == "Water") {
        return GROUP_TRIGGER;
    }
    // The file decides, not the actor: a dynamic box that fell back to a static
    // actor is still pushed around as one.
    if (record.recordType == "Box" && record.physicsType == "dynamic") {
        return GROUP_PUSHABLE;
    }
    return GROUP_SOLID;
}

} // namespace

void DataLoader::parseLevelFile(const std::string& path) {
    // Binary, so that line ends are the reader's business on every platform. A directory
    // opens like a file here but yields nothing, so it counts as unopenable.
    std::ifstream file(path, std::ios::binary);
    std::error_code error;
    if (!file || std::filesystem::is_directory(path, error)) {
        platform::DiagnosticLine() << "Unable to open file " << path;
        return;
    }
    parseLevelStream(file, path);
}

void DataLoader::parseLevelStream(std::istream& in, const std::string& fileName) {
    LevelReader(in, fileName).read(objectQueue, lightQueue);
}

std::unique_ptr<Character> DataLoader::loadLevel(Texture& textureManager, const std::string& path,
                                                 std::vector<std::unique_ptr<Light>>& levelLights,
                                                 std::vector<std::unique_ptr<Entity>>& entities,
                                                 std::uint32_t defaultProgram,
                                                 std::uint32_t waterProgram,
                                                 std::uint32_t waterPlaneProgram) {
    parseLevelFile(path);
    const Programs programs{defaultProgram, waterProgram, waterPlaneProgram};

    while (!lightQueue.empty()) {
        const LightDescription& record = lightQueue.back();
        levelLights.push_back(std::make_unique<Light>(glm::vec4(record.position, 0.0f),
                                                      record.color, record.ambientColor,
                                                      record.specularColor));
        lightQueue.pop_back();
    }

    // Only one player: the first "Character" of the file. It is built last, since the
    // records are taken from the back, so the others are recognised by counting.
    const auto characters =
        std::count_if(objectQueue.begin(), objectQueue.end(), [](const ObjectDescription& record) {
            return record.recordType == "Character";
        });
    auto charactersLeft = characters;
    std::unique_ptr<Character> player;

    while (!objectQueue.empty()) {
        const ObjectDescription record = objectQueue.back();
        objectQueue.pop_back();
        const glm::mat4 model = modelMatrixOf(record);
        const std::uint32_t texture = textureManager.loadTexture(record.textureFile);

        if (record.recordType == "Character") {
            if (--charactersLeft > 0) {
                continue;
            }
            player = buildCharacter(record, texture, defaultProgram, model);
            continue;
        }
        std::unique_ptr<Entity> entity = buildEntity(record, texture, programs, model);
        if (!entity) {
            continue;
        }
        Entity& placed = *entity;
        entities.push_back(std::move(entity));
        attachActor(record, placed);
    }
    if (characters > 1) {
        platform::DiagnosticLine()
            << path << ": " << characters
            << " Character records; the first one is the player, the others are left out";
    }

    if (world && world->scene) {
        world->tagActors();
        for (const auto& entity : entities) {
            if (entity->drawInWaterPass && player && player->actor && entity->actor) {
                // Start, end and ongoing touch: 2 + 4 + 8.
                world->scene->setActorPairFlags(*player->actor, *entity->actor, 14);
            }
        }
        world->scene->setGroupCollisionFlag(GROUP_DEFAULT, GROUP_SOLID, true);
        world->scene->setGroupCollisionFlag(GROUP_SOLID, GROUP_PUSHABLE, true);
        world->scene->setGroupCollisionFlag(GROUP_DEFAULT, GROUP_PUSHABLE, true);
    }
    return player;
}

std::unique_ptr<Character> DataLoader::buildCharacter(const ObjectDescription& record,
                                                      std::uint32_t texture, std::uint32_t program,
                                                      const glm::mat4& model) {
    auto player =
        std::make_unique<Character>(record.meshFile, texture, program, record.materialFile, model);
    character = player.get();
    if (!world || !world->sdk) {
        return player;
    }
    world->controllerManager = world->sdk->createControllerManager();
    const glm::vec4 position = player->modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    player->controller = createCharacterController(world, position.x, position.y, position.z, 0.8f,
                                                   0.5f, 0.01f, 45.0f, 0.5f);
    player->controllerManager = world->controllerManager;
    if (player->controller) {
        player->actor = player->controller->getActor();
        setActorCollisionGroup(player->actor, GROUP_DEFAULT);
    }
    return player;
}

std::unique_ptr<Entity> DataLoader::buildEntity(const ObjectDescription& record,
                                                std::uint32_t texture, const Programs& programs,
                                                const glm::mat4& model) {
    const std::string& type = record.recordType;
    const std::string& mesh = record.meshFile;
    const std::string& material = record.materialFile;
    const std::uint32_t program = programs.standard;
    const auto& p = record.params;
    if (type == "Box") {
        return std::make_unique<Box>(mesh, texture, program, material, model);
    }
    if (type == "DoodadFan") {
        return std::make_unique<DoodadFan>(mesh, texture, program, p[3], p[4], material, model);
    }
    if (type == "DoodadWater") {
        return std::make_unique<DoodadWater>(mesh, texture, program, material, model);
    }
    if (type == "DoodadBox") {
        return std::make_unique<DoodadBox>(mesh, texture, program, material, model);
    }
    if (type == "Victory") {
        return std::make_unique<Victory>(mesh, texture, program, material, model);
    }
    if (type == "DoodadUpgrade") {
        return std::make_unique<DoodadUpgrade>(mesh, texture, program, p[3], p[4], material, model);
    }
    if (type == "Water" || type == "WaterPlane") {
        const std::uint32_t waterProgram = type == "Water" ? programs.water : programs.waterPlane;
        return std::make_unique<Water>(mesh, texture, waterProgram, p[4], p[5], p[6], material,
                                       model, glm::vec4(p[0], p[1], p[2], p[3]));
    }
    if (type == "CollisionBox") {
        return std::make_unique<CollisionBox>(mesh, program, material, model);
    }
    return nullptr;
}

void DataLoader::attachActor(const ObjectDescription& record, Entity& entity) {
    if (!world || !world->scene) {
        return;
    }
    const glm::vec4 position = entity.modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    if (record.recordType == "Water" || record.recordType == "WaterPlane") {
        // Placed at the object's position as it is, without its rotation.
        entity.actor = createWaterActor(record, entity, position);
    } else {
        entity.actor = createPhysicsActor(record, *entity.mesh, position);
        entity.syncToActor();
    }
    setActorCollisionGroup(entity.actor, collisionGroupOf(record));
}

physics::Actor* DataLoader::createWaterActor(const ObjectDescription& record, const Entity& entity,
                                             const glm::vec4& position) {
    const bool jet = record.recordType == "Water";
    glm::vec3 half(record.params[0], record.params[1], record.params[2]);
    if (jet) {
        // The mesh's full width and height and half its depth, in the mesh's own units.
        const glm::vec4& c0 = entity.mesh->boundingCorners[0];
        const glm::vec4& c4 = entity.mesh->boundingCorners[4];
        half =
            glm::vec3(std::abs(c0.x - c4.x), std::abs(c0.y - c4.y), 0.5f * std::abs(c0.z - c4.z));
    }
    const float x = position.x;
    const float y = position.y;
    const float z = position.z;
    physics::Actor* actor = jet ? createTriggerBoxActor(world, x, y, z, half.x, half.y, half.z)
                                : createBoxActor(world, x, y, z, half.x, half.y, half.z);
    if (!actor) {
        // Negative or non-finite extents: the object stays, but nothing can touch it.
        platform::DiagnosticLine() << record.recordType << " " << record.meshFile
                                   << ": no box can be made of half extents " << half.x << " "
                                   << half.y << " " << half.z << "; created no physics actor";
    }
    return actor;
}

physics::Actor* DataLoader::createPhysicsActor(ObjectDescription record, Mesh& mesh,
                                               glm::vec4 position) {
    const float x = position.x;
    const float y = position.y;
    const float z = position.z;
    const std::string& type = record.physicsType;
    if (type == "plane") {
        return createBoxActor(world, x, y, z, 300.0f, 0.0f, 300.0f);
    }
    if (type == "dynamic") {
        if (mesh.faceCount <= kMaxConvexTriangles) {
            return createConvexActor(world, mesh, record.density, x, y, z, record.scale);
        }
        if (!record.lowPolyMeshFile.empty()) {
            // Cooked for physics only; the object is drawn with its own mesh.
            const Mesh lowPoly(record.lowPolyMeshFile);
            return createConvexActor(world, lowPoly, record.density, x, y, z, record.scale);
        }
        platform::DiagnosticLine() << "Couldn't find low polygon version of " << record.meshFile
                                   << ". Created static actor instead.";
        record.physicsType = "static";
        return createPhysicsActor(record, mesh, position);
    }
    if (type == "kinematic") {
        return createKinematicMeshActor(world, mesh, record.density, x, y, z, record.scale);
    }
    if (type == "static") {
        return createStaticMeshActor(world, mesh, x, y, z, record.scale);
    }
    platform::DiagnosticLine() << record.recordType << " " << record.meshFile
                               << ": unknown physics type \"" << type
                               << "\"; created no physics actor";
    return nullptr;
}
