// The level rows of the game objects: what each builds, its parameters, its actor.
#include "../../support/LevelLoadFixture.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/Victory.h"
#include "game/Water.h"
#include "physics/CollisionGroups.h"
#include "physics/engine/Actor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Without textures ("none.png") the construction needs no GL.
std::string block(const std::string& type, const std::string& place,
                  const std::string& params = "u", const std::string& rotation = "u",
                  const std::string& mesh = "tests/data/obj/cube_textured.obj") {
    std::string text = "#" + type + "\n";
    if (type != "Character") {
        text += "static 0\n";
    }
    return text + mesh + "\ntests/data/obj/crate.mtl\nnone.png\n" + place + "\n" + rotation +
           "\nu\n" + params + "\n";
}

glm::vec3 halfExtents(physics::Actor& actor) {
    return actor.getLocalBounds().max;
}

class GameObjectLevel : public LevelLoadFixture {
protected:
    GameObjectLevel() : LevelLoadFixture("game_object_level.txt") {}

    void SetUp() override {
        LevelLoadFixture::SetUp();
        // Spans x -2..2, y 0..1, z -3..3.
        std::ofstream(meshPath) << "v -2 0 -3\nv 2 1 3\nv 2 0 -3\nvn 0 1 0\nf 1//1 2//1 3//1\n";
    }
    void TearDown() override {
        LevelLoadFixture::TearDown();
        std::filesystem::remove(meshPath);
    }

    template <class T> T& entity(std::size_t index) {
        auto* typed = dynamic_cast<T*>(entities.at(index).get());
        if (!typed) {
            throw std::logic_error("entity " + std::to_string(index) + " has another type");
        }
        return *typed;
    }

    std::string meshPath = scratchPath("game_object_water.obj");
};

} // namespace

TEST_F(GameObjectLevel, EveryRowBuildsItsObjectWithItsParameters) {
    const auto character =
        load(block("Character", " 0 5 0") + block("DoodadFan", " 1 0 0", " 0 0 0 2.5 45 0 0") +
             block("DoodadWater", " 2 0 0") + block("DoodadBox", " 3 0 0") +
             block("Victory", " 4 0 0") + block("DoodadUpgrade", " 5 0 0", " 0 0 0 0.3 12 0 0") +
             block("Water", " 6 0 0", " 0 4 0 20 0.5 1.5 8") +
             block("WaterPlane", " 7 0 0", " 10 0.5 10 3 2 4 0.8"));
    ASSERT_NE(character, nullptr);
    ASSERT_EQ(entities.size(), 7u) << messages;
    EXPECT_EQ(messages, "");

    const auto& plane = entity<Water>(0);
    const auto& jet = entity<Water>(1);
    const auto& upgrade = entity<DoodadUpgrade>(2);
    entity<Victory>(3);
    entity<DoodadBox>(4);
    entity<DoodadWater>(5);
    const auto& fan = entity<DoodadFan>(6);

    EXPECT_FLOAT_EQ(fan.startDelay, 2.5f);
    EXPECT_FLOAT_EQ(fan.turnSpeed, 45.0f);
    EXPECT_FLOAT_EQ(upgrade.flameBonus, 0.3f);
    EXPECT_FLOAT_EQ(upgrade.respawnDelay, 12.0f);
    EXPECT_EQ(upgrade.program, 7u);

    // Water: direction p0..p2 (normalised), count p3, spread p4, lifetime p5, speed p6.
    EXPECT_EQ(jet.program, 8u);
    EXPECT_EQ(plane.program, 9u);
    EXPECT_EQ(jet.particles->direction, glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(jet.particles->emitCount, 20);
    EXPECT_FLOAT_EQ(jet.particles->spread, 0.5f);
    EXPECT_FLOAT_EQ(jet.particles->lifetime, 1.5f);
    EXPECT_FLOAT_EQ(jet.particles->speed, 8.0f);
    EXPECT_EQ(plane.particles->emitCount, 3);
    EXPECT_TRUE(jet.skipLitPasses && jet.drawInWaterPass);

    for (const auto& object : entities) {
        ASSERT_NE(object->actor, nullptr);
        EXPECT_NE(object->actor->userData, nullptr) << "tagged";
        const bool water = object->drawInWaterPass;
        EXPECT_EQ(groupOf(object->actor), object.get() == &jet ? GROUP_TRIGGER : GROUP_SOLID);
        EXPECT_EQ(world.scene->getActorPairFlags(*character->actor, *object->actor),
                  water ? 14u : 0u);
    }
}

TEST_F(GameObjectLevel, WaterBoxesComeFromTheMeshOrTheParameters) {
    load(block("Character", " 0 5 0") +
         block("Water", " 1 2 3", " 0 1 0 5 1 1 1", " 90 0 1 0", meshPath) +
         block("WaterPlane", " -4 0 0", " 10 0.5 10 5 1 1 1", " 45 1 0 0"));
    ASSERT_EQ(entities.size(), 2u);
    physics::Actor& pool = *entities[0]->actor;
    physics::Actor& jet = *entities[1]->actor;

    // Full width and height, half the depth; neither rotation nor scale applies.
    const glm::vec3 jetHalf = halfExtents(jet);
    EXPECT_NEAR(jetHalf.x, 4.0f, 0.05f);
    EXPECT_NEAR(jetHalf.y, 1.0f, 0.05f);
    EXPECT_NEAR(jetHalf.z, 3.0f, 0.05f);
    EXPECT_TRUE(jet.getShapes().front()->isTrigger());
    EXPECT_EQ(jet.getGlobalPosition(), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(jet.getGlobalPose().rotation, glm::mat3(1.0f));

    const glm::vec3 poolHalf = halfExtents(pool);
    EXPECT_NEAR(poolHalf.x, 10.0f, 0.05f);
    EXPECT_NEAR(poolHalf.y, 0.5f, 0.05f);
    EXPECT_NEAR(poolHalf.z, 10.0f, 0.05f);
    EXPECT_FALSE(pool.getShapes().front()->isTrigger());
    EXPECT_FALSE(pool.isDynamic());
    EXPECT_EQ(pool.getGlobalPose().rotation, glm::mat3(1.0f));
}

TEST_F(GameObjectLevel, APoolWithoutAPossibleBoxIsReportedAndLeftHarmless) {
    const auto character =
        load(block("Character", " 0 5 0") + block("WaterPlane", " 0 0 0", " -10 0.5 10 5 1 1 1"));
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_EQ(entities[0]->actor, nullptr);
    EXPECT_EQ(messages, "WaterPlane tests/data/obj/cube_textured.obj: no box can be made of half "
                        "extents -10 0.5 10; created no physics actor\n");
    // Without an actor it drains nothing and still sprays.
    entities[0]->character = character;
    entities[0]->update(0.1);
    EXPECT_DOUBLE_EQ(character->flame, 1.0);
    EXPECT_EQ(dynamic_cast<Water&>(*entities[0]).particles->liveCount, 5);
}
