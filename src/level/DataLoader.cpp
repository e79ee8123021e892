#include "level/DataLoader.h"

#include "level/LevelReader.h"
#include "level/RecordTypes.h"

#include "game/Character.h"
#include "game/Entity.h"
#include "game/GameWorld.h"
#include "physics/CharacterController.h"
#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Controller.h"
#include "physics/engine/ControllerManager.h"
#include "platform/Diagnostics.h"
#include "platform/InputFile.h"
#include "render/Light.h"
#include "resources/Mesh.h"
#include "resources/Texture.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>

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

std::uint16_t collisionGroupOf(const ObjectDescription& record, const RecordRule& rule) {
    return physicsKindOf(record.physicsType) == PhysicsKind::Dynamic ? rule.dynamicGroup
                                                                     : rule.group;
}

// The level is built from the back of each queue: whatever the file says last is
// built first. Every record is handed over with its index, its place in the file.
template <typename Record, typename Build>
void takeFromBack(std::vector<Record>& queue, Build build) {
    while (!queue.empty()) {
        const Record record = queue.back();
        queue.pop_back();
        build(record, queue.size());
    }
}

} // namespace

void DataLoader::parseLevelFile(const std::string& path) {
    const platform::InputFile file(path, platform::kMaxLevelFileBytes);
    if (!file.isOpen()) {
        file.reportUnopenable(path);
        return;
    }
    std::istringstream in{std::string(file.text())};
    parseLevelStream(in, path);
}

void DataLoader::parseLevelStream(std::istream& in, const std::string& fileName) {
    LevelReader(in, fileName).read(objectQueue, lightQueue);
}

Character* DataLoader::loadLevel(GameWorld& level, Texture& textureManager, const std::string& path,
                                 const LevelPrograms& programs) {
    world = &level.physics;
    character = nullptr;
    playerRecord = ObjectDescription{};
    parseLevelFile(path);

    takeFromBack(lightQueue, [&](const LightDescription& record, std::size_t) {
        level.levelLights.push_back(std::make_unique<Light>(glm::vec4(record.position, 0.0f),
                                                            record.color, record.ambientColor,
                                                            record.specularColor));
    });

    // Only one player: the first character record of the file.
    const auto isCharacter = [](const ObjectDescription& r) {
        return r.kind == RecordKind::Character;
    };
    const auto characters = std::count_if(objectQueue.begin(), objectQueue.end(), isCharacter);
    const auto player = static_cast<std::size_t>(
        std::find_if(objectQueue.begin(), objectQueue.end(), isCharacter) - objectQueue.begin());

    takeFromBack(objectQueue, [&](const ObjectDescription& record, std::size_t index) {
        const RecordRule* rule = recordRuleOf(record.kind);
        if (!rule || (rule->kind == RecordKind::Character && index != player)) {
            return;
        }
        const glm::mat4 model = modelMatrixOf(record);
        const std::uint32_t texture =
            rule->usesTexture ? textureManager.loadTexture(record.textureFile) : 0;
        if (!rule->build) {
            playerRecord = record;
            level.character = buildCharacter(record, texture, programs.standard, model);
            return;
        }
        Entity& placed = *level.entities.emplace_back(
            rule->build(record, EntityInputs{texture, programs, model}));
        // The shapes are cooked at the record's scale, mirror and all; the object keeps
        // the same one to stand where it collides.
        placed.scale = record.scale;
        attachActor(record, *rule, placed);
    });
    if (characters > 1) {
        platform::DiagnosticLine()
            << path << ": " << characters
            << " Character records; the first one is the player, the others are left out";
    }

    Character* const playerCharacter = level.character.get();
    character = playerCharacter;
    if (world->scene) {
        world->tagActors();
        for (const auto& entity : level.entities) {
            if (entity->drawInWaterPass && playerCharacter && playerCharacter->actor &&
                entity->actor) {
                // Start, end and ongoing touch.
                world->scene->setActorPairFlags(*playerCharacter->actor, *entity->actor,
                                                physics::NotifyOnTouchEvents);
            }
        }
        world->scene->setGroupCollisionFlag(GROUP_DEFAULT, GROUP_SOLID, true);
        world->scene->setGroupCollisionFlag(GROUP_SOLID, GROUP_PUSHABLE, true);
        world->scene->setGroupCollisionFlag(GROUP_DEFAULT, GROUP_PUSHABLE, true);
    }
    return playerCharacter;
}

std::unique_ptr<Character> DataLoader::buildCharacter(const ObjectDescription& record,
                                                      std::uint32_t texture, std::uint32_t program,
                                                      const glm::mat4& model) {
    auto player =
        std::make_unique<Character>(record.meshFile, texture, program, record.materialFile, model);
    if (!world || !world->sdk) {
        return player;
    }
    const glm::vec4 position = player->modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    player->controller = createCharacterController(world, position.x, position.y, position.z, 0.8f,
                                                   0.5f, 0.01f, 45.0f, 0.5f);
    if (player->controller) {
        player->actor = player->controller->getActor();
        setActorCollisionGroup(player->actor, recordRuleOf(RecordKind::Character)->group);
    }
    return player;
}

void DataLoader::attachActor(const ObjectDescription& record, const RecordRule& rule,
                             Entity& entity) {
    if (!world || !world->scene) {
        return;
    }
    const glm::vec4 position = entity.modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    if (rule.usesPhysics()) {
        entity.actor = createPhysicsActor(record, *entity.mesh, position);
        entity.syncToActor();
    } else {
        // Placed at the object's position as it is, without its rotation.
        entity.actor = createWaterActor(record, rule, entity, position);
    }
    setActorCollisionGroup(entity.actor, collisionGroupOf(record, rule));
}

physics::Actor* DataLoader::createWaterActor(const ObjectDescription& record,
                                             const RecordRule& rule, const Entity& entity,
                                             const glm::vec4& position) {
    const bool jet = rule.actor == ActorSource::MeshTrigger;
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
    switch (physicsKindOf(record.physicsType)) {
    case PhysicsKind::Plane:
        return createBoxActor(world, x, y, z, 300.0f, 0.0f, 300.0f);
    case PhysicsKind::Dynamic:
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
        return createStaticMeshActor(world, mesh, x, y, z, record.scale);
    case PhysicsKind::Kinematic:
        return createKinematicMeshActor(world, mesh, record.density, x, y, z, record.scale);
    case PhysicsKind::Static:
        return createStaticMeshActor(world, mesh, x, y, z, record.scale);
    case PhysicsKind::Unknown:
        break;
    }
    platform::DiagnosticLine() << record.recordType << " " << record.meshFile
                               << ": unknown physics type \"" << record.physicsType
                               << "\"; created no physics actor";
    return nullptr;
}
