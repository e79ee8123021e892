#pragma once

#include "input/InputState.h"

// Wires the controls to the world and registers the "pMode" and "alpha" lines.
void initInput(InputState& input, PhysicsWorld* world, Character* character, Camera* camera,
               Texture* textureManager, TextOverlay* overlay);
// Once a frame, with the frame's step in seconds.
void updateControls(InputState& input, double dt);

// The window's callbacks.
void onKey(int key, int action);
void onMouseMove(int x, int y);
void onMouseButton(int button, int action);
