// The same game at any frame rate: what the keys, the water and the fans do in a second
// of game time is the same at 20, 60 and 144 frames a second, and at 60 it is what it
// has always been per frame.
#include "../../support/GameFixture.h"
#include "game/DoodadFan.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"
#include "platform/Keys.h"

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

class FrameRate : public GameFixture, public testing::WithParamInterface<int> {
protected:
    FrameRate() : GameFixture("../tests/data/levels/gameobjects.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
        character().lastDrainTime = 1e9; // only the objects change the flame
        character().flame = 1.0;
    }

    double dt() const { return 1.0 / GetParam(); }
    // Frames at the rate under test for `seconds` of game time.
    void play(double seconds) {
        frames(static_cast<int>(std::lround(seconds * GetParam())), dt(), FrameMode::SkipDrawing);
    }
    Character& character() const { return *director->world->character; }
    glm::vec3 position() const { return character().actor->getGlobalPosition(); }
    void teleport(float x, float y, float z) {
        character().controller->setPosition({x, y, z});
        play(0.05);
    }
    // The heading in degrees, counter-clockwise seen from above, from the model's -Z.
    float heading() const {
        const glm::vec3 ahead = -glm::vec3(character().modelMatrix[2]);
        return glm::degrees(std::atan2(-ahead.x, -ahead.z));
    }
};

// The figures at 60 frames a second, each frame's share of them as it always was.
constexpr float kTurnPerFrame = 3.4906585216522217f;
constexpr double kWaterPerFrame = 0.01;
// How far a jump taken at a run carries on level ground at 60 frames a second.
constexpr float kRunningJump = 36.0f;

} // namespace

TEST_P(FrameRate, HoldingAForASecondTurnsAsFarAtEveryRate) {
    // Summed frame by frame, so that the angle may pass half a turn.
    float turned = 0.0f;
    float last = heading();
    const auto follow = [&] {
        const float now = heading();
        turned += std::remainder(now - last, 360.0f);
        last = now;
    };
    platform.input.press('A');
    for (int i = 0; i < GetParam(); ++i) {
        frames(1, dt(), FrameMode::SkipDrawing);
        follow();
    }
    platform.input.release('A');
    for (int i = 0; i < 3; ++i) {
        frames(1, dt(), FrameMode::SkipDrawing);
        follow();
    }
    const float expected = 60 * kTurnPerFrame;
    EXPECT_NEAR(turned, expected, 0.05f * expected);
    if (GetParam() == 60) {
        EXPECT_NEAR(turned, expected, 1e-2f) << "exactly as ever at 60";
    }
}

TEST_P(FrameRate, AHalfSecondInAWaterJetCostsTheSameAtEveryRate) {
    teleport(20.0f, 1.06f, -6.0f);
    const double before = character().flame;
    play(0.5);
    EXPECT_NEAR(before - character().flame, 30 * kWaterPerFrame, 0.05 * 30 * kWaterPerFrame);
}

TEST_P(FrameRate, AFanThrowsTheFlameAsFarAtEveryRate) {
    // Walk at the fan wall (its face at z = -9.5), letting go of W less than a frame's
    // walk before it: the key is seen a frame late, so that frame walks into the face
    // and nothing walks after the touch.
    const float face = -9.5f, radius = 0.8f, walkSpeed = 40.0f;
    platform.input.press('W');
    for (int i = 0; i < 3 * GetParam() && character().flame == 1.0; ++i) {
        if (position().z - (face + radius) < walkSpeed * static_cast<float>(dt())) {
            platform.input.release('W');
        }
        frames(1, dt(), FrameMode::SkipDrawing);
    }
    platform.input.release('W');
    ASSERT_NEAR(character().flame, 0.9, 1e-12) << "never reached the fan";
    play(1.0);
    EXPECT_FALSE(find<DoodadFan>().pushing);
    // Four units back from where the capsule touched the face.
    EXPECT_NEAR(position().z - (face + radius), 4.0f, 0.05f * 4.0f);
}

TEST_P(FrameRate, ARunningJumpCarriesAsFarAtEveryRate) {
    // Open floor ahead (down -z) for fifty units.
    teleport(-50.0f, 1.06f, 40.0f);
    platform.input.press('W');
    play(0.25);
    platform.input.press(platform::key::Space);
    platform.input.release(platform::key::Space);
    glm::vec3 takeOff(0.0f);
    bool left = false;
    for (int i = 0; i < 3 * GetParam(); ++i) {
        const glm::vec3 before = position();
        frames(1, dt(), FrameMode::SkipDrawing);
        if (!left && character().motor.jumping) {
            left = true;
            takeOff = before;
        } else if (left && !character().motor.jumping) {
            break;
        }
    }
    platform.input.release('W');
    ASSERT_TRUE(left) << "never jumped";
    const float carried = takeOff.z - position().z;
    std::printf("a running jump carries %.2f units at %d frames a second\n", carried, GetParam());
    // Forty units a second for the jump's time in the air. The landing frame walks on
    // whole: within 5%, or within a frame's walk where a frame is long.
    const float slack = std::max(0.05f * kRunningJump, 40.0f * static_cast<float>(dt()));
    EXPECT_NEAR(carried, kRunningJump, slack + 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(FramesPerSecond, FrameRate, testing::Values(20, 60, 144),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "fps";
                         });
