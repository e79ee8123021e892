#pragma once

struct AppState;

// Starts the windowing library, opens the game window with its OpenGL context,
// loads the GL entry points and sets the GL state every frame starts from.
// False, once the reason is printed, when GLFW or GLEW cannot be started; nothing
// may touch GL then.
[[nodiscard]] bool openWindow(const AppState& appState);
