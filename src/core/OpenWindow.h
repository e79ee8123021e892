#pragma once

struct AppState;

// Starts the windowing library, opens the game window with its OpenGL context,
// loads the GL entry points and sets the GL state every frame starts from.
// Ends the process with status 1 when GLFW or GLEW cannot be started.
void openWindow(const AppState& appState);
