// The gamepad read into the flame's intent: the dead zone, turning against stepping
// sideways, and buttons that act once a press.
#include "input/GamepadControls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pad = platform::pad;

namespace {

platform::GamepadState withLeftStick(float x, float y) {
    platform::GamepadState state;
    state.axes[pad::LeftX] = x;
    state.axes[pad::LeftY] = y;
    return state;
}

MoveIntent intentOf(GamepadControls& controls, const platform::GamepadState& state) {
    return controls.read(&state).intent;
}

} // namespace

TEST(GamepadSticks, MotionInsideTheDeadZoneCountsForNothingAndTravelRisesFromItsEdge) {
    using Pad = GamepadControls;
    EXPECT_EQ(Pad::outsideDeadZone(0.1f, -0.15f), (std::array<float, 2>{0.0f, 0.0f}));
    // A worn stick resting just off centre diagonally stays inside too.
    EXPECT_EQ(Pad::outsideDeadZone(0.14f, 0.14f), (std::array<float, 2>{0.0f, 0.0f}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Pad::outsideDeadZone(nan, 0.5f), (std::array<float, 2>{0.0f, 0.0f}));

    const auto justOut = Pad::outsideDeadZone(Pad::kDeadZone + 0.01f, 0.0f);
    EXPECT_GT(justOut[0], 0.0f);
    EXPECT_LT(justOut[0], 0.05f) << "no jump at the zone's edge";
    EXPECT_FLOAT_EQ(Pad::outsideDeadZone(0.0f, -1.0f)[1], -1.0f);
    // Diagonals of cheap pads read past 1; full travel stays full.
    const auto corner = Pad::outsideDeadZone(1.0f, 1.0f);
    EXPECT_NEAR(std::hypot(corner[0], corner[1]), 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(corner[0], corner[1]);
}

TEST(GamepadSticks, TheLeftStickWalksAndTurnsOrStepsSidewaysWithTheRightShoulder) {
    GamepadControls controls;
    const platform::GamepadState resting;
    const MoveIntent still = intentOf(controls, resting);
    EXPECT_EQ(still.walk, 0);
    EXPECT_EQ(still.strafe, 0);
    EXPECT_EQ(still.turn, 0.0f) << "a resting right trigger reads -1 and must not strafe";

    EXPECT_EQ(intentOf(controls, withLeftStick(0.0f, -0.5f)).walk, 1) << "pushed away: forwards";
    EXPECT_EQ(intentOf(controls, withLeftStick(0.0f, 0.9f)).walk, -1);
    EXPECT_EQ(intentOf(controls, withLeftStick(0.0f, -0.1f)).walk, 0);

    // To the right turns right (a negative turn), as D does; further turns faster.
    const MoveIntent right = intentOf(controls, withLeftStick(1.0f, 0.0f));
    const MoveIntent littleRight = intentOf(controls, withLeftStick(0.5f, 0.0f));
    EXPECT_LT(right.turn, littleRight.turn);
    EXPECT_LT(littleRight.turn, 0.0f);
    EXPECT_EQ(right.strafe, 0);

    platform::GamepadState bumper = withLeftStick(-1.0f, 0.0f);
    bumper.buttons[pad::RightBumper] = true;
    const MoveIntent stepping = intentOf(controls, bumper);
    EXPECT_EQ(stepping.strafe, -1);
    EXPECT_EQ(stepping.turn, 0.0f);

    platform::GamepadState trigger = withLeftStick(1.0f, -1.0f);
    trigger.axes[pad::RightTrigger] = -0.2f; // less than half pulled
    EXPECT_EQ(intentOf(controls, trigger).strafe, 0);
    trigger.axes[pad::RightTrigger] = 0.3f;
    const MoveIntent diagonal = intentOf(controls, trigger);
    EXPECT_EQ(diagonal.strafe, 1);
    EXPECT_EQ(diagonal.walk, 1);
}

TEST(GamepadSticks, TheRightStickLooksTheWayTheMouseDoes) {
    GamepadControls controls;
    platform::GamepadState state;
    state.axes[pad::RightX] = 1.0f;  // right: turn right, as the mouse moved right does
    state.axes[pad::RightY] = -1.0f; // up: the camera tilts up
    const MoveIntent look = intentOf(controls, state);
    EXPECT_LT(look.turn, 0.0f);
    EXPECT_GT(look.look, 0.0f);
    EXPECT_EQ(look.walk, 0);
}

TEST(GamepadButtons, APressActsOnceHoweverLongTheButtonIsHeld) {
    GamepadControls controls;
    platform::GamepadState state;
    state.buttons[pad::A] = true;
    state.buttons[pad::Start] = true;
    const PadCommands first = controls.read(&state);
    EXPECT_TRUE(first.jump);
    EXPECT_TRUE(first.pause);
    EXPECT_FALSE(first.restart);
    const PadCommands held = controls.read(&state);
    EXPECT_FALSE(held.jump);
    EXPECT_FALSE(held.pause);

    state.buttons[pad::A] = false;
    state.buttons[pad::Back] = true;
    const PadCommands back = controls.read(&state);
    EXPECT_TRUE(back.restart);
    EXPECT_FALSE(back.jump);
    state.buttons[pad::A] = true;
    EXPECT_TRUE(controls.read(&state).jump) << "pressed again";

    // A pad pulled out and plugged in again with A down: a new press.
    EXPECT_FALSE(controls.read(nullptr).jump);
    EXPECT_TRUE(controls.read(&state).jump);
}
