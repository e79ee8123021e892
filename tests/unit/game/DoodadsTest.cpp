// The doodads' rules, driven through their actor tags with a virtual clock (no GL).
#include "../../support/PlatformFixture.h"
#include "../../support/RecordedMessages.h"
#include "game/Character.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/GameWorld.h"
#include "physics/ActorTag.h"
#include "physics/CharacterController.h"
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace {

const std::string kMesh = "tests/data/obj/cube_textured.obj";
const std::string kMaterial = "tests/data/obj/crate.mtl";

glm::mat4 at(float x, float y, float z) {
    return glm::translate(glm::mat4(1.0f), {x, y, z});
}

class Doodads : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.initPhysics());
        character.world = &world;
        // No drain by time: the flame changes only through the doodads.
        character.lastDrainTime = 1e9;
    }

    // Gives the doodad a box actor where it stands and wires it as the Director would.
    template <class T> T& place(std::unique_ptr<T> doodad) {
        const glm::vec3 position(doodad->modelMatrix[3]);
        doodad->actor =
            createBoxActor(&world, position.x, position.y, position.z, 1.0f, 1.0f, 1.0f);
        doodad->world = &world;
        doodad->character = &character;
        doodad->joinWorld(level);
        T& placed = *doodad;
        doodads.push_back(std::move(doodad));
        return placed;
    }

    // After every actor is made: the tags are handed out all at once.
    void tagAll() { world.tagActors(); }

    static ActorTag& tag(const Entity& doodad) {
        return *static_cast<ActorTag*>(doodad.actor->userData);
    }

    void updateAt(Entity& doodad, double now, double dt) {
        platform.clock.set(now);
        doodad.update(dt);
    }

    ScopedPlatform platform;
    PhysicsWorld world;
    Character character{kMesh, 0, 0, kMaterial, at(0.0f, 5.0f, 0.0f)};
    // What the doodads share; they stay the fixture's own.
    GameWorld level{world};
    std::vector<std::unique_ptr<Entity>> doodads;
};

} // namespace

TEST_F(Doodads, ASinkingBoxStartsOnATouchAndStopsForGoodFiveBelowItsStart) {
    DoodadBox& box = place(std::make_unique<DoodadBox>(kMesh, 0, 0, kMaterial, at(0, 2, 0)));
    tagAll();
    EXPECT_TRUE(box.updateWhenCulled);
    box.update(1.0);
    EXPECT_FLOAT_EQ(box.modelMatrix[3].y, 2.0f) << "untouched, it rests";

    tag(box).touched = 1;
    box.update(1.0);
    EXPECT_FLOAT_EQ(box.modelMatrix[3].y, 1.5f);
    EXPECT_EQ(tag(box).touched, 0u);
    for (int i = 0; i < 20 && box.sinking; ++i) {
        box.update(1.0);
    }
    // It moves while at or above 2 - 5 and stops once below.
    EXPECT_FALSE(box.sinking);
    EXPECT_FLOAT_EQ(box.modelMatrix[3].y, -3.5f);
    EXPECT_NEAR(box.actor->getGlobalPosition().y, -3.5f, 1e-5f) << "the actor sinks along";

    tag(box).touched = 1;
    box.update(1.0);
    box.update(1.0);
    EXPECT_FALSE(box.sinking) << "a later touch does not start it again";
    EXPECT_FLOAT_EQ(box.modelMatrix[3].y, -3.5f);
}

TEST_F(Doodads, FansWaitForTheFirstShortFrameThenTurnAfterTheirDelay) {
    DoodadFan& fan =
        place(std::make_unique<DoodadFan>(kMesh, 0, 0, 1.0f, 90.0f, kMaterial, at(4, 1, 0)));
    DoodadFan& other =
        place(std::make_unique<DoodadFan>(kMesh, 0, 0, 0.0f, 90.0f, kMaterial, at(-4, 1, 0)));
    tagAll();
    const glm::mat4 start = fan.modelMatrix;

    RecordedMessages heard;
    for (double t = 3.0; t < 6.0; t += 1.0) {
        updateAt(fan, t, 0.7);
        updateAt(other, t, 0.5);
    }
    EXPECT_EQ(heard.take(), "") << "only long frames so far";
    EXPECT_EQ(fan.modelMatrix, start);
    EXPECT_TRUE(level.fans.loadingTimePending);

    updateAt(fan, 6.25, 0.25);
    updateAt(other, 6.5, 0.25);
    EXPECT_EQ(heard.take(), "loadingtime: 6.25\n") << "once, for all";
    EXPECT_EQ(fan.modelMatrix, start) << "not in the stamping update";

    updateAt(fan, 7.0, 0.1);
    EXPECT_EQ(fan.modelMatrix, start) << "0.75 s after loading, its delay is 1 s";
    updateAt(fan, 7.5, 0.1);
    const glm::mat4 turned = glm::rotate(start, glm::radians(9.0f), glm::vec3(0, 1, 0));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(fan.modelMatrix[c][r], turned[c][r], 1e-5f);
        }
    }
    const glm::vec3 axis = fan.actor->getGlobalPose().rotation[0];
    EXPECT_NEAR(axis.z, -std::sin(glm::radians(9.0f)), 1e-5f) << "the actor turns along";
}

TEST_F(Doodads, AFanThrowsTheFlameBackFourUnitsAndATouchWhilePushingCostsNothing) {
    character.controller =
        createCharacterController(&world, 0.0f, 5.0f, 0.0f, 0.8f, 0.5f, 0.01f, 45.0f, 0.5f);
    ASSERT_NE(character.controller, nullptr);
    DoodadFan& fan =
        place(std::make_unique<DoodadFan>(kMesh, 0, 0, 0.0f, 0.0f, kMaterial, at(0, 5, -3)));
    tagAll();
    RecordedMessages quiet;

    // Hit while walking down -z: thrown back along +z, a unit each 60th of a second.
    tag(fan).touched = 1;
    tag(fan).hitDirection = glm::vec3(0.0f, 0.0f, -1.0f);
    fan.update(1.0 / 60.0);
    EXPECT_NEAR(character.flame, 0.9, 1e-12);
    EXPECT_TRUE(fan.pushing);
    EXPECT_NEAR(character.controller->getPosition().z, 1.0, 0.01);
    EXPECT_EQ(tag(fan).touched, 0u);

    tag(fan).touched = 1;
    tag(fan).hitDirection = glm::vec3(1.0f, 0.0f, 0.0f);
    fan.update(1.0 / 30.0);
    EXPECT_NEAR(character.flame, 0.9, 1e-12) << "already pushing: no second price";
    EXPECT_EQ(tag(fan).touched, 0u) << "but the touch is used up";
    EXPECT_NEAR(character.controller->getPosition().z, 3.0, 0.01)
        << "the first throw goes on, twice as far in a frame twice as long";
    EXPECT_TRUE(fan.pushing);
    // Four units along the ground and it is over.
    fan.update(1.0 / 60.0);
    EXPECT_FALSE(fan.pushing);
    fan.update(1.0 / 60.0);
    EXPECT_NEAR(character.controller->getPosition().z, 4.0, 0.01);

    // Thrown while in the air, it goes on until the flame is down again.
    tag(fan).touched = 1;
    tag(fan).hitDirection = glm::vec3(0.0f, 0.0f, -1.0f);
    character.motor.inAir = true;
    for (int i = 0; i < 6; ++i) {
        fan.update(1.0 / 60.0);
    }
    EXPECT_TRUE(fan.pushing);
    EXPECT_NEAR(character.controller->getPosition().z, 10.0, 0.01);
    character.motor.inAir = false;
    fan.update(1.0 / 60.0);
    EXPECT_FALSE(fan.pushing);
    EXPECT_NEAR(character.flame, 0.8, 1e-12);
}

TEST_F(Doodads, AnUpgradeRefillsToFullAtMostAndComesBackAfterItsDelay) {
    DoodadUpgrade& quick =
        place(std::make_unique<DoodadUpgrade>(kMesh, 0, 0, 0.5f, 0.0f, kMaterial, at(3, 1, 0)));
    DoodadUpgrade& once =
        place(std::make_unique<DoodadUpgrade>(kMesh, 0, 0, 0.25f, -1.0f, kMaterial, at(-3, 1, 0)));
    tagAll();
    EXPECT_FALSE(quick.updateWhenCulled) << "set by setup, which needs GL";

    character.flame = 0.8;
    tag(quick).touched = 1;
    updateAt(quick, 10.0, 0.1);
    EXPECT_DOUBLE_EQ(character.flame, 1.0);
    EXPECT_FLOAT_EQ(quick.modelMatrix[3].y, -199.0f) << "dropped out of reach";
    EXPECT_NEAR(quick.actor->getGlobalPosition().y, -199.0f, 1e-4f);
    EXPECT_TRUE(quick.hidden);

    // Touched again while away: nothing more to take.
    character.flame = 0.5;
    tag(quick).touched = 1;
    updateAt(quick, 10.0, 0.0);
    EXPECT_DOUBLE_EQ(character.flame, 0.5);
    EXPECT_EQ(tag(quick).touched, 0u);
    EXPECT_TRUE(quick.hidden);
    updateAt(quick, 10.01, 0.01);
    EXPECT_FALSE(quick.hidden) << "a delay of 0: back on the next update";
    EXPECT_EQ(quick.modelMatrix, at(3, 1, 0));
    EXPECT_NEAR(quick.actor->getGlobalPosition().y, 1.0f, 1e-4f);

    tag(once).touched = 1;
    updateAt(once, 20.0, 0.1);
    EXPECT_DOUBLE_EQ(character.flame, 0.75);
    for (double t = 21.0; t < 2000.0; t += 100.0) {
        updateAt(once, t, 0.1);
    }
    EXPECT_FLOAT_EQ(once.modelMatrix[3].y, -199.0f) << "a negative delay: gone for good";
}

TEST_F(Doodads, AWaterHazardCostsSixTenthsASecondOfTheFramesThatFindItTouched) {
    DoodadWater& water = place(std::make_unique<DoodadWater>(kMesh, 0, 0, kMaterial, at(0, 0, 0)));
    tagAll();
    EXPECT_FALSE(water.updateWhenCulled) << "it acts only while in view";
    water.update(0.1);
    EXPECT_DOUBLE_EQ(character.flame, 1.0);
    tag(water).touched = 1;
    tag(water).touched = 1; // two hits in one frame
    water.update(1.0 / 60.0);
    water.update(1.0 / 60.0);
    EXPECT_NEAR(character.flame, 0.99, 1e-12) << "a hundredth for a 60th of a second";
    tag(water).touched = 1;
    water.update(0.05);
    EXPECT_NEAR(character.flame, 0.96, 1e-12) << "three hundredths for a 20th";
}
