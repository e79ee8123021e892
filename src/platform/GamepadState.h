#pragma once

#include <array>

// A gamepad as the game reads it: buttons and axes by their place on a standard pad
// (GLFW's gamepad mappings put any known pad into this layout).
namespace platform {

namespace pad {
constexpr int A = 0; // Cross
constexpr int B = 1; // Circle
constexpr int X = 2; // Square
constexpr int Y = 3; // Triangle
constexpr int LeftBumper = 4;
constexpr int RightBumper = 5;
constexpr int Back = 6; // Select, Share
constexpr int Start = 7;
constexpr int Guide = 8;
constexpr int LeftThumb = 9;
constexpr int RightThumb = 10;
constexpr int DpadUp = 11;
constexpr int DpadRight = 12;
constexpr int DpadDown = 13;
constexpr int DpadLeft = 14;
constexpr int ButtonCount = 15;

// Sticks run from -1 to 1, right and down positive; triggers rest at -1 and read 1
// fully pulled.
constexpr int LeftX = 0;
constexpr int LeftY = 1;
constexpr int RightX = 2;
constexpr int RightY = 3;
constexpr int LeftTrigger = 4;
constexpr int RightTrigger = 5;
constexpr int AxisCount = 6;
} // namespace pad

struct GamepadState {
    std::array<bool, pad::ButtonCount> buttons{};
    // Triggers at rest, sticks centred.
    std::array<float, pad::AxisCount> axes{0.0f, 0.0f, 0.0f, 0.0f, -1.0f, -1.0f};
};

} // namespace platform
