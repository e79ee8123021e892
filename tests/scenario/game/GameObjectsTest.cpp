// The game objects in the running game: one lane of the test level each, walked into
// with scripted keys on the virtual clock.
#include "../../support/GameFixture.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/Victory.h"
#include "game/Water.h"
#include "physics/ActorTag.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"
#include "render/TextOverlay.h"

#include <set>
#include <tuple>

namespace {

class GameObjects : public GameFixture {
protected:
    GameObjects() : GameFixture("../tests/data/levels/gameobjects.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle();
        // No drain by time: every change of the flame below comes from an object.
        character().lastDrainTime = 1e9;
        character().flame = 1.0;
    }

    Character& character() const { return *director->world->character; }
    glm::vec3 position() const { return character().actor->getGlobalPosition(); }
    void teleport(float x, float y, float z) {
        character().controller->setPosition({x, y, z});
        frames(3);
    }


    // Holds W until the flame changes; false if it never does.
    bool walkUntilTheFlameChanges(int limit = 90) {
        const double before = character().flame;
        platform.input.press('W');
        for (int i = 0; i < limit && character().flame == before; ++i) {
            frames(1);
        }
        platform.input.release('W');
        return character().flame != before;
    }
};

} // namespace

TEST_F(GameObjects, WalkingIntoAFanCostsATenthAndThrowsTheFlameBack) {
    EXPECT_NE(startMessages.find("Texture loading succesful"), std::string::npos);
    ASSERT_TRUE(walkUntilTheFlameChanges());
    EXPECT_NEAR(character().flame, 0.9, 1e-12);
    // The flame stopped at the fan's face (z = -9.5) and was thrown a unit back.
    const float face = -9.5f, radius = 0.8f;
    EXPECT_GT(position().z, face + radius + 0.9f);
    EXPECT_TRUE(find<DoodadFan>().pushing || position().z > face + radius + 0.9f);
    frames(30);
    EXPECT_GT(position().z, face + radius + 0.2f) << "it does not come back by itself";
    EXPECT_NEAR(character().flame, 0.9, 1e-12) << "one throw, one price";
}

TEST_F(GameObjects, StandingInAWaterJetDrainsAHundredthEveryFrame) {
    teleport(20.0f, 1.06f, -6.0f);
    double before = character().flame;
    frames(30);
    // One trigger step a frame, give or take the odd frame the fixed steps skip.
    EXPECT_NEAR(before - character().flame, 0.30, 0.021);
    EXPECT_GT(find<Water>().particles->liveCount, 0) << "spraying";

    teleport(20.0f, 1.06f, 10.0f);
    before = character().flame;
    frames(30);
    EXPECT_DOUBLE_EQ(character().flame, before) << "out of the jet, nothing";
}

TEST_F(GameObjects, AnUpgradeRefillsAndComesBackAfterItsDelay) {
    DoodadUpgrade& upgrade = find<DoodadUpgrade>();
    const float home = upgrade.modelMatrix[3].y;
    character().flame = 0.5;
    teleport(-20.0f, 1.06f, 0.0f);
    ASSERT_TRUE(walkUntilTheFlameChanges());
    EXPECT_NEAR(character().flame, 0.8, 1e-6);
    EXPECT_NEAR(upgrade.modelMatrix[3].y, home - 200.0f * 0.5f, 1e-3f) << "dropped, at its scale";
    // Out of the way before it comes back.
    teleport(-20.0f, 1.06f, 5.0f);
    frames(60, 1.0 / 60.0, FrameMode::SkipDrawing);
    EXPECT_TRUE(upgrade.hidden);
    frames(70, 1.0 / 60.0, FrameMode::SkipDrawing);
    EXPECT_FALSE(upgrade.hidden) << "back after 2 s";
    EXPECT_FLOAT_EQ(upgrade.modelMatrix[3].y, home);
    EXPECT_NEAR(upgrade.actor->getGlobalPosition().y, home, 1e-4f);
}

TEST_F(GameObjects, SteppingOnASinkingBoxLowersItUntilItRestsFiveBelow) {
    DoodadBox& box = find<DoodadBox>();
    const float start = box.startHeight;
    teleport(40.0f, 2.0f, -10.0f);
    const float standing = position().y;
    frames(60, 1.0 / 60.0, FrameMode::SkipDrawing);
    EXPECT_TRUE(box.sinking);
    EXPECT_NEAR(box.modelMatrix[3].y, start - 0.5f, 0.06f) << "half a unit a second";
    EXPECT_NEAR(position().y, standing - 0.5f, 0.06f) << "the flame rides it down";

    frames(660, 1.0 / 60.0, FrameMode::SkipDrawing);
    EXPECT_FALSE(box.sinking);
    const float rest = box.modelMatrix[3].y;
    EXPECT_LT(rest, start - 5.0f);
    EXPECT_GT(rest, start - 5.0f - 0.01f);
    EXPECT_NEAR(box.actor->getGlobalPosition().y, rest, 1e-4f);
    EXPECT_NEAR(position().y, 1.06f, 0.05f) << "left standing on the floor";
    frames(60, 1.0 / 60.0, FrameMode::SkipDrawing);
    EXPECT_FLOAT_EQ(box.modelMatrix[3].y, rest);
}

TEST_F(GameObjects, AWaterHazardDrainsOnlyWhileInView) {
    DoodadWater& water = find<DoodadWater>();
    auto& tag = *static_cast<ActorTag*>(water.actor->userData);
    // Behind the camera: the touch waits.
    tag.touched = 1;
    frames(10);
    EXPECT_DOUBLE_EQ(character().flame, 1.0);
    EXPECT_EQ(tag.touched, 1u);

    // In view beside it: the waiting touch costs once.
    teleport(60.0f, 1.06f, 52.0f);
    EXPECT_EQ(tag.touched, 0u);
    EXPECT_NEAR(character().flame, 0.99, 1e-12);
    frames(10);
    EXPECT_NEAR(character().flame, 0.99, 1e-12);

    // Standing in it: every frame.
    teleport(60.0f, 2.0f, 40.0f);
    const double before = character().flame;
    frames(20);
    EXPECT_NEAR(before - character().flame, 0.20, 1e-9);
}

TEST_F(GameObjects, TouchingTheGoalLocksTheGameInVictory) {
    const HudLine& victory = *director->overlay->findLine("v1");
    EXPECT_EQ(*victory.text, "Victory");
    EXPECT_FALSE(victory.visible);
    character().flame = 0.3;
    teleport(-40.0f, 1.06f, 0.0f);
    platform.input.press('W');
    for (int i = 0; i < 90 && !character().locked; ++i) {
        frames(1);
    }
    platform.input.release('W');
    ASSERT_TRUE(character().victorious);
    EXPECT_TRUE(character().locked);
    EXPECT_TRUE(find<Victory>().reached);
    const std::string stoppedAt = director->courseTimer.text();
    EXPECT_NE(stoppedAt, "Time: 0.0") << "the walk to the goal was timed";
    // Touched again: the lines stay (showing a shown line again would hide it).
    auto& tag = *static_cast<ActorTag*>(find<Victory>().actor->userData);
    tag.touched = 1;
    frames(2);
    EXPECT_EQ(tag.touched, 0u);
    for (const char* line : {"v1", "v2", "v3"}) {
        EXPECT_TRUE(director->overlay->findLine(line)->visible) << line;
    }

    // The flame is held full and the light keeps flickering; the keys move nothing.
    const glm::vec3 at = position();
    platform.input.press('W');
    std::set<std::tuple<float, float, float>> colours;
    for (int i = 0; i < 60; ++i) {
        frames(1);
        const glm::vec4 colour = director->light->color;
        EXPECT_GT(colour.r, 0.5f);
        colours.insert({colour.r, colour.g, colour.b});
    }
    EXPECT_DOUBLE_EQ(character().flame, 1.0);
    EXPECT_GT(colours.size(), 1u) << "it still flickers";
    EXPECT_NEAR(glm::length(position() - at), 0.0f, 1e-4f);
    EXPECT_FALSE(director->overlay->findLine("go")->visible);
    EXPECT_EQ(director->courseTimer.text(), stoppedAt) << "the timer stopped at the goal";
}
