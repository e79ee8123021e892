// Playing the flat test level with scripted keys and mouse on a virtual clock.
#include "../../support/GameFixture.h"
#include "physics/engine/Actor.h"
#include "platform/Keys.h"
#include "render/TextOverlay.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

class Playing : public GameFixture {
protected:
    Playing() : GameFixture("../tests/data/levels/flat.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle();
    }

    glm::vec3 position() const { return director->world->character->actor->getGlobalPosition(); }
    // The direction the character faces: its model's -Z axis.
    glm::vec3 facing() const {
        return -glm::normalize(glm::vec3(director->world->character->modelMatrix[2]));
    }

    Entity& pushableBox() const {
        for (const auto& entity : director->world->entities) {
            if (entity->actor && entity->actor->isDynamic()) {
                return *entity;
            }
        }
        throw std::logic_error("the test level has a dynamic box");
    }
};

} // namespace

TEST_F(Playing, WalksForwardAtItsSpeedAndStaysOnTheFloor) {
    const glm::vec3 start = position();
    EXPECT_NEAR(start.y, 1.06f, 0.05f) << "standing on the floor";
    platform.input.press('W');
    frames(60);
    platform.input.release('W');
    frames(2);
    const glm::vec3 end = position();
    EXPECT_NEAR(start.z - end.z, 40.0f, 2.0f) << "40 units a second, down -z";
    EXPECT_NEAR(end.x, start.x, 0.1f);
    EXPECT_NEAR(end.y, start.y, 0.05f);
    // The drawn flame follows the capsule.
    EXPECT_NEAR(director->world->character->modelMatrix[3].z, end.z, 1e-4f);
}

TEST_F(Playing, SpaceJumpsUpAndLandsAgain) {
    const float ground = position().y;
    platform.input.press(platform::key::Space);
    frames(1);
    platform.input.release(platform::key::Space);
    float highest = ground;
    for (int i = 0; i < 120; ++i) {
        frames(1);
        highest = std::max(highest, position().y);
    }
    EXPECT_GT(highest - ground, 5.0f);
    EXPECT_NEAR(position().y, ground, 0.05f);
    EXPECT_FALSE(director->world->character->motor.jumping);
    EXPECT_FALSE(director->world->character->motor.inAir);
}

TEST_F(Playing, ACeilingTurnsTheJumpIntoAFall) {
    // Under the slab 4 units up, 40 to the left.
    director->world->character->controller->setPosition({-40.0, 1.06, 0.0});
    frames(5);
    const float ground = position().y;
    platform.input.press(platform::key::Space);
    frames(1);
    platform.input.release(platform::key::Space);
    float highest = ground;
    for (int i = 0; i < 90; ++i) {
        frames(1);
        highest = std::max(highest, position().y);
    }
    EXPECT_LT(highest, 4.0f - 1.0f) << "the head stops at the slab";
    EXPECT_NEAR(position().y, ground, 0.05f);
}

TEST_F(Playing, AAndDTurnTheCharacter) {
    platform.input.press('A');
    frames(1); // the key goes down inside this frame's swap
    const glm::vec3 before = facing();
    frames(10);
    const float turned =
        glm::degrees(std::acos(glm::clamp(glm::dot(before, facing()), -1.0f, 1.0f)));
    EXPECT_NEAR(turned, 34.9f, 0.5f) << "about 3.49 degrees a frame";
    EXPECT_GT(glm::cross(before, facing()).y, 0.0f) << "A turns left";
}

TEST_F(Playing, RightButtonAndMouseTurnTheView) {
    const glm::vec3 before = facing();
    platform.input.moveMouse(500, 400);
    frames(1);
    platform.input.pressButton(platform::mouse::Right);
    frames(2);
    // Holding the button without moving the mouse turns nothing.
    EXPECT_NEAR(glm::dot(before, facing()), 1.0f, 1e-5f);
    platform.input.moveMouse(490, 400);
    frames(1);
    frames(3);
    platform.input.releaseButton(platform::mouse::Right);
    frames(1);
    const float turned =
        glm::degrees(std::acos(glm::clamp(glm::dot(before, facing()), -1.0f, 1.0f)));
    EXPECT_NEAR(turned, 10 * 0.349f, 0.05f) << "one motion event of 10 pixels, used once";
}

TEST_F(Playing, WalkingIntoADynamicBoxPushesIt) {
    Entity& box = pushableBox();
    const glm::vec3 boxStart = box.actor->getGlobalPosition();
    platform.input.press('W');
    frames(120);
    platform.input.release('W');
    frames(30);
    const glm::vec3 boxEnd = box.actor->getGlobalPosition();
    EXPECT_LT(boxEnd.z, boxStart.z - 2.0f) << "pushed along -z";
    // The next frame draws it where the last step left it.
    frames(1);
    EXPECT_NEAR(box.modelMatrix[3].z, boxEnd.z, 1e-3f) << "drawn where it is";
}

TEST_F(Playing, StandingStillTheFlameDiesAfterAboutFiftySeconds) {
    Character& character = *director->world->character;
    double t = platform.clock.now();
    while (!character.locked && t < 60.0) {
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
        t = platform.clock.now();
    }
    EXPECT_TRUE(character.locked);
    // A drain step every 0.5 s and a frame, a hundred of them.
    EXPECT_NEAR(t, 51.7, 1.0);
    EXPECT_TRUE(director->overlay->findLine("go")->visible);
    EXPECT_EQ(director->light->color, glm::vec4(0.0f)) << "the light goes out";

    // Locked: keys no longer move it.
    const glm::vec3 before = position();
    platform.input.press('W');
    frames(30);
    EXPECT_NEAR(glm::length(position() - before), 0.0f, 1e-4f);
}

TEST_F(Playing, SpaceIsRefusedWhileFalling) {
    director->world->character->controller->setPosition({0.0, 30.0, 0.0});
    frames(2);
    ASSERT_TRUE(director->world->character->motor.inAir);
    platform.input.press(platform::key::Space);
    frames(2);
    EXPECT_FALSE(director->world->character->motor.jumping);
    platform.input.release(platform::key::Space);
    frames(120);
    EXPECT_FALSE(director->world->character->motor.inAir) << "landed";
}

TEST_F(Playing, TheWheelMovesTheCameraAtThirtyUnitsASecond) {
    Character& character = *director->world->character;
    EXPECT_FLOAT_EQ(character.cameraOffset[3][2], -30.0f);
    platform.input.scrollWheel(10); // to -20
    frames(15);
    EXPECT_NEAR(character.cameraOffset[3][2], -30.0f + 15 * 0.5f, 1e-3f);
    frames(30);
    EXPECT_NEAR(character.cameraOffset[3][2], -20.0f, 0.5f) << "stops at the wheel";
    // The wheel cannot leave its range: scrolling far in stops 5 units behind the
    // flame, outside it; far out at 30.
    platform.input.scrollWheel(100);
    frames(2);
    EXPECT_EQ(platform.input.getMouseWheel(), -5);
    frames(120);
    EXPECT_NEAR(character.cameraOffset[3][2], -5.0f, 0.5f);
    platform.input.scrollWheel(-100);
    frames(2);
    EXPECT_EQ(platform.input.getMouseWheel(), -30);
}
