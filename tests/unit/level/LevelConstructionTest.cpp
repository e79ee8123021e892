// Building the world from a level file: order, placement, actors and their groups.
#include "../../support/LevelLoadFixture.h"
#include "../../support/RecordedMessages.h"
#include "game/Box.h"
#include "physics/ActorTag.h"
#include "physics/CollisionGroups.h"
#include "physics/engine/Actor.h"
#include "resources/Mesh.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Records of the test level. Textures are left out on purpose ("none.png"): the
// construction needs no GL then.
std::string block(const std::string& type, const std::string& physics, const std::string& place,
                  const std::string& rotation = "u", const std::string& scale = "u",
                  const std::string& mesh = "tests/data/obj/cube_textured.obj") {
    std::string text = "#" + type + "\n";
    if (type != "Character") {
        text += physics + "\n";
    }
    return text + mesh + "\ntests/data/obj/crate.mtl\nnone.png\n" + place + "\n" + rotation + "\n" +
           scale + "\nu\n";
}

class LevelConstruction : public LevelLoadFixture {
protected:
    LevelConstruction() : LevelLoadFixture("level_construction.txt") {}
};

} // namespace

TEST_F(LevelConstruction, ObjectsAndLightsComeOutInReverseFileOrder) {
    const auto character = load(
        block("Box", "static 0", " 1 0 0") + "*first\n 1 2 3\n 1 1 1 1\n 0 0 0 1\n 0 0 0 1\n" +
        block("Character", "", " 0 5 0") + block("Box", "static 0", " 2 0 0") +
        "*second\n 4 5 6\n 1 1 1 1\n 0 0 0 1\n 0 0 0 1\n" + block("Box", "kinematic 1", " 3 0 0"));
    ASSERT_NE(character, nullptr);
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_FLOAT_EQ(entities[0]->modelMatrix[3].x, 3.0f);
    EXPECT_FLOAT_EQ(entities[1]->modelMatrix[3].x, 2.0f);
    EXPECT_FLOAT_EQ(entities[2]->modelMatrix[3].x, 1.0f);
    ASSERT_EQ(lights.size(), 2u);
    EXPECT_EQ(lights[0]->position, glm::vec4(4, 5, 6, 0)) << "w is 0 for level lights";
    EXPECT_EQ(lights[1]->position, glm::vec4(1, 2, 3, 0));
    EXPECT_TRUE(loader.objectQueue.empty());
    EXPECT_TRUE(loader.lightQueue.empty());
    EXPECT_EQ(entities[0]->program, 7u);

    // Every actor got its tag; the character stands in its controller's capsule.
    for (const auto& entity : entities) {
        ASSERT_NE(entity->actor, nullptr);
        EXPECT_NE(entity->actor->userData, nullptr);
    }
    ASSERT_NE(character->actor, nullptr);
    EXPECT_EQ(groupOf(character->actor), GROUP_DEFAULT);
    EXPECT_NEAR(character->actor->getGlobalPosition().y, 5.0f, 1e-4f);
    EXPECT_NE(character->controller, nullptr);
}

TEST_F(LevelConstruction, ModelMatrixIsTranslateRotateScale) {
    load(block("Character", "", " 0 0 0") +
         block("Box", "static 0", " 10 2 -3", " 90 0 1 0", " 2 1 0.5"));
    ASSERT_EQ(entities.size(), 1u);
    const glm::mat4 expected = glm::scale(
        glm::rotate(glm::translate(glm::mat4(1.0f), {10, 2, -3}), glm::radians(90.0f), {0, 1, 0}),
        {2, 1, 0.5f});
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(entities[0]->modelMatrix[c][r], expected[c][r], 1e-5f);
        }
    }
    // The actor took rotation and translation only; the shape carries the scale.
    const physics::Pose pose = entities[0]->actor->getGlobalPose();
    EXPECT_NEAR(pose.translation.x, 10.0f, 1e-5f);
    EXPECT_NEAR(glm::length(pose.rotation[0]), 1.0f, 1e-5f);
}

TEST_F(LevelConstruction, CollisionGroupsFollowTheRecordAsWritten) {
    // A 12-triangle cube is simple enough to be convex; the barrel fixture is not.
    load(block("Character", "", " 0 0 0") + block("Box", "dynamic 1", " 0 0 0") +
         block("Box", "kinematic 1", " 0 0 5") + block("Box", "plane 0", " 0 -1 0") +
         block("CollisionBox", "static 0", " 9 0 0"));
    ASSERT_EQ(entities.size(), 4u);
    EXPECT_EQ(groupOf(entities[0]->actor), GROUP_SOLID);    // collision box
    EXPECT_EQ(groupOf(entities[1]->actor), GROUP_SOLID);    // plane
    EXPECT_EQ(groupOf(entities[2]->actor), GROUP_SOLID);    // kinematic
    EXPECT_EQ(groupOf(entities[3]->actor), GROUP_PUSHABLE); // dynamic
    EXPECT_TRUE(entities[3]->actor->isDynamic());

    const physics::Scene& scene = *world.scene;
    EXPECT_TRUE(scene.getGroupCollisionFlag(GROUP_DEFAULT, GROUP_SOLID));
    EXPECT_TRUE(scene.getGroupCollisionFlag(GROUP_SOLID, GROUP_PUSHABLE));
    EXPECT_TRUE(scene.getGroupCollisionFlag(GROUP_DEFAULT, GROUP_PUSHABLE));
}

TEST_F(LevelConstruction, UnknownTypesBuildNothingAndOnlyOneCharacterIsKept) {
    const auto character =
        load(block("Character", "", " 1 0 0") + block("Lamp", "static 0", " 0 0 0") +
             block("Box", "wobbly 1", " 4 0 0") + block("Character", "", " 2 0 0"));
    ASSERT_NE(character, nullptr);
    EXPECT_FLOAT_EQ(character->modelMatrix[3].x, 1.0f) << "the first Character of the file";
    EXPECT_EQ(world.controllerManager()->getNbControllers(), 1u) << "no stray capsule is left";
    EXPECT_NE(messages.find("2 Character records"), std::string::npos) << messages;

    // The box with an unknown physics type is built and reported, without an actor.
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_EQ(entities[0]->actor, nullptr);
    EXPECT_NE(messages.find("unknown physics type \"wobbly\""), std::string::npos) << messages;
}

TEST_F(LevelConstruction, OnlyObjectsThatAreDrawnAskForTheirTexture) {
    load(block("Character", "", " 1 0 0") + block("CollisionBox", "static 0", " 0 0 0") +
         block("Lamp", "static 0", " 0 0 0") + block("Box", "static 0", " 2 0 0") +
         block("Character", "", " 3 0 0"));
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(textureRequests, 2) << "the player's and the box's: not the collision box's, "
                                     "nor those of the records that build nothing";
}

TEST_F(LevelConstruction, AMissingFileGivesNoCharacter) {
    loader.world = &world;
    RecordedMessages heard;
    const auto character =
        loader.loadLevel(level, textures, "tests/data/levels/missing.txt", LevelPrograms{});
    EXPECT_EQ(heard.take(), "Unable to open file tests/data/levels/missing.txt\n"
                            "tests/data/levels/missing.txt: no such file or directory\n");
    EXPECT_EQ(character, nullptr);
    EXPECT_TRUE(entities.empty());
}
