#include "input/GamepadControls.h"

#include "platform/InputDevice.h"

#include <cmath>

namespace {

// Degrees of turn or tilt per second with a stick at full travel: as fast as A and D turn.
constexpr float kStickTurnSpeed = 3.4906585216522217f * 60.0f;
// Walking and stepping know no speeds: a stick out of its dead zone goes all the way.
int direction(float value) {
    return value > 0.0f ? 1 : (value < 0.0f ? -1 : 0);
}

} // namespace

std::array<float, 2> GamepadControls::outsideDeadZone(float x, float y) {
    const float length = std::sqrt(x * x + y * y);
    if (!(length > kDeadZone)) { // NaN from a broken driver counts as centred too
        return {0.0f, 0.0f};
    }
    const float travel = std::fmin((length - kDeadZone) / (1.0f - kDeadZone), 1.0f);
    return {x / length * travel, y / length * travel};
}

PadCommands GamepadControls::read(const platform::InputDevice& device) {
    platform::GamepadState state;
    return read(device.readGamepad(state) ? &state : nullptr);
}

PadCommands GamepadControls::read(const platform::GamepadState* state) {
    namespace pad = platform::pad;
    PadCommands commands;
    if (!state) {
        wasDown.fill(false);
        return commands;
    }
    const auto pressed = [&](int button) { return state->buttons[button] && !wasDown[button]; };
    commands.jump = pressed(pad::A);
    commands.pause = pressed(pad::Start);
    commands.restart = pressed(pad::Back);
    wasDown = state->buttons;

    const auto [leftX, leftY] = outsideDeadZone(state->axes[pad::LeftX], state->axes[pad::LeftY]);
    const auto [rightX, rightY] =
        outsideDeadZone(state->axes[pad::RightX], state->axes[pad::RightY]);
    MoveIntent& intent = commands.intent;
    intent.walk = -direction(leftY); // the stick pushed away reads negative
    const bool strafing = state->buttons[pad::RightBumper] || state->axes[pad::RightTrigger] > 0.0f;
    if (strafing) {
        intent.strafe = direction(leftX);
    } else {
        intent.turn -= leftX * kStickTurnSpeed;
    }
    intent.turn -= rightX * kStickTurnSpeed;
    intent.look -= rightY * kStickTurnSpeed;
    return commands;
}
