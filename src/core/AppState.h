#pragma once

#include <cstdint>

// The window mode of the classic windowing interface: a normal window, not full screen.
constexpr std::uint32_t kWindowedMode = 0x00010001;

// The window and program record the Director shares with the passes.
struct AppState {
    std::uint32_t windowMode = kWindowedMode;
    std::int32_t width = 1024;
    std::int32_t height = 768;
    bool running = false;
    std::uint32_t simpleProgram = 0;
    std::uint32_t fontProgram = 0;
    std::uint32_t particleProgram = 0;
    std::uint32_t depthProgram = 0;
    std::uint32_t shadowProgram = 0;
    std::uint32_t waterProgram = 0;
    std::uint32_t waterPlaneProgram = 0;
};
