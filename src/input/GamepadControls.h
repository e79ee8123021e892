#pragma once

#include "game/MoveIntent.h"
#include "platform/GamepadState.h"

#include <array>

namespace platform {
class InputDevice;
}

// What the gamepad asks for in one frame: its share of the flame's intent and the
// buttons pressed since the frame before.
struct PadCommands {
    MoveIntent intent;    // walk, strafe; turn and look in degrees per second; no zoom
    bool jump = false;    // A
    bool pause = false;   // Start
    bool restart = false; // Back
};

// The gamepad's controls. The left stick walks (up and down) and turns (left and
// right); with the right bumper held or the right trigger pulled past half it steps
// sideways instead of turning, as A and D do with the right mouse button. The right
// stick looks around as the mouse does with its right button. Small stick motion
// around the centre counts for nothing.
class GamepadControls {
public:
    // The share of each stick's travel around its centre that counts for nothing.
    static constexpr float kDeadZone = 0.2f;

    // Reads the first pad of the device, if one is attached.
    PadCommands read(const platform::InputDevice& device);
    // The same for a pad's state (null: no pad attached).
    PadCommands read(const platform::GamepadState* state);

    // A stick's position with the dead zone taken out: 0 inside it, and from there
    // rising to full travel at the rim, in the same direction.
    static std::array<float, 2> outsideDeadZone(float x, float y);

private:
    // Buttons as the last read saw them, to tell a press from a button held.
    std::array<bool, platform::pad::ButtonCount> wasDown{};
};
