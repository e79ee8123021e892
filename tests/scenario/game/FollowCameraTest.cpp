// The camera behind the flame: exactly where the flame's offset puts it when nothing
// is in the way, in front of a wall that would hide the flame, never turned over and
// never below the floor.
#include "../../support/GameFixture.h"
#include "physics/CollisionGroups.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"
#include "physics/engine/Scene.h"
#include "platform/GamepadState.h"

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>
#include <glm/trigonometric.hpp>

#include <cmath>

namespace {

class FollowCameraPlay : public GameFixture {
protected:
    FollowCameraPlay() : GameFixture("../tests/data/levels/camera.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
        character().lastDrainTime = 1e9;
    }

    Character& character() const { return *director->world->character; }
    glm::vec3 body() const { return character().actor->getGlobalPosition(); }
    // Where the flame burns, above its body: what the camera keeps in sight.
    glm::vec3 flame() const {
        return body() + glm::vec3(0.0f, FollowCamera::kFlameAboveBody, 0.0f);
    }
    void teleport(float x, float y, float z) {
        character().controller->setPosition({x, y, z});
        frames(3, 1.0 / 60.0, FrameMode::SkipDrawing);
    }
    glm::mat4 wanted() const {
        return character().cameraOffset * glm::inverse(character().modelMatrix);
    }
    glm::vec3 cameraPosition() const { return glm::vec3(glm::inverse(director->camera->view)[3]); }
    // Whether anything solid lies between the camera and the flame's centre.
    bool flameHidden() const {
        const physics::SweepHit hit = director->physicsWorld->scene->sweepSphere(
            cameraPosition(), flame(), 0.05f, groupMask(GROUP_SOLID) | groupMask(GROUP_PUSHABLE),
            character().actor);
        return hit.hit;
    }
    // Whether the flame's centre is inside the picture.
    bool flameInPicture() const {
        const glm::vec4 clip =
            director->camera->perspective * director->camera->view * glm::vec4(flame(), 1.0f);
        return clip.w > 0.0f && std::abs(clip.x) < clip.w && std::abs(clip.y) < clip.w;
    }
};

} // namespace

TEST_F(FollowCameraPlay, WithNothingInTheWayTheCameraIsExactlyWhereTheOffsetPutsIt) {
    teleport(60.0f, 1.06f, -40.0f);
    frames(120, 1.0 / 60.0, FrameMode::SkipDrawing); // eased out from the wall at the start
    EXPECT_EQ(director->camera->view, wanted());
    EXPECT_FALSE(director->followCamera.moved);
    // Walking and turning keep it so.
    platform.input.press('W');
    platform.input.press('A');
    for (int i = 0; i < 30; ++i) {
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
        EXPECT_EQ(director->camera->view, wanted()) << "frame " << i;
    }
}

TEST_F(FollowCameraPlay, AWallBehindTheFlameBringsTheCameraInFrontOfItThenItEasesBackOut) {
    // At the start the wanted place (30 behind) lies beyond the wall's face at z = 11.5.
    const float wantedZ = glm::vec3(glm::inverse(wanted())[3]).z;
    ASSERT_GT(wantedZ, 12.5f);
    EXPECT_TRUE(director->followCamera.moved);
    EXPECT_LT(cameraPosition().z, 11.5f) << "in front of the wall";
    EXPECT_GT(cameraPosition().z, flame().z + 0.5f) << "still behind the flame";
    EXPECT_FALSE(flameHidden());
    EXPECT_TRUE(flameInPicture());
    // Still looking the way the flame faces, turned towards it.
    const glm::vec3 looking = -glm::vec3(glm::inverse(director->camera->view)[2]);
    EXPECT_GT(glm::dot(looking, glm::vec3(0.0f, 0.0f, -1.0f)), std::cos(glm::radians(30.0f)));

    // Walking away from the wall, the camera follows out as the way clears, never
    // behind it, and is back where it wants to be a while after.
    platform.input.press('W');
    for (int i = 0; i < 45; ++i) {
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
        EXPECT_LT(cameraPosition().z, 11.5f) << "frame " << i;
        EXPECT_FALSE(flameHidden()) << "frame " << i;
    }
    platform.input.release('W');
    frames(120, 1.0 / 60.0, FrameMode::SkipDrawing);
    EXPECT_EQ(director->camera->view, wanted());
}

TEST_F(FollowCameraPlay, TheTiltStopsShortOfStraightDownAndUpAndTheCameraStaysAboveTheFloor) {
    teleport(60.0f, 1.06f, -40.0f);
    platform.input.connectGamepad();
    for (const float stick : {-1.0f, 1.0f}) { // down on the flame, then up at it
        platform.input.setGamepadAxis(platform::pad::RightY, stick);
        for (int i = 0; i < 180; ++i) { // three seconds: far past any limit
            frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
            const glm::mat4 toWorld = glm::inverse(director->camera->view);
            ASSERT_GT(toWorld[1].y, 0.0f) << "turned over, frame " << i;
            ASSERT_LE(std::abs(character().cameraPitch), CharacterMotor::kMaxPitch + 1e-3f);
            ASSERT_GT(cameraPosition().y, 0.2f) << "below the floor, frame " << i;
            ASSERT_TRUE(flameInPicture()) << "frame " << i;
        }
        EXPECT_NEAR(std::abs(character().cameraPitch), CharacterMotor::kMaxPitch, 1e-3f);
    }
    // Looking up from below: the camera rides on the floor in front of the flame.
    EXPECT_TRUE(director->followCamera.moved);
}

TEST_F(FollowCameraPlay, OnASlabLookingUpTheCameraStaysAboveItNotUnderneath) {
    // On the slab (top at 6.5), the camera tilted up: it wants to be far below the
    // slab's top, where it would see only the slab's underside.
    teleport(-60.0f, 7.6f, -5.0f);
    character().cameraPitch = 0.0f;
    platform.input.connectGamepad();
    platform.input.setGamepadAxis(platform::pad::RightY, 1.0f);
    while (character().cameraPitch > -40.0f) {
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
    }
    platform.input.setGamepadAxis(platform::pad::RightY, 0.0f);
    frames(5, 1.0 / 60.0, FrameMode::SkipDrawing);
    ASSERT_LT(glm::vec3(glm::inverse(wanted())[3]).y, 6.5f);
    EXPECT_GT(cameraPosition().y, 6.5f);
    EXPECT_FALSE(flameHidden());
    EXPECT_TRUE(flameInPicture());
}
