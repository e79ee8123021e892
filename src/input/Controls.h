#pragma once

#include "game/MoveIntent.h"
#include "input/GamepadControls.h"

class Character;
class RenderToggles;
class Texture;
class TextOverlay;
struct Frustum;

// What the keys, mouse and wheel act on; any of them may be missing.
struct ControlTargets {
    Character* character = nullptr;
    Texture* textureManager = nullptr; // F4, F5: the texture filters
    TextOverlay* overlay = nullptr;    // the lines the F-keys show, F7
    RenderToggles* toggles = nullptr;  // F3, F9
    Frustum* frustum = nullptr;        // F8
};

// The player's controls. Every frame they turn the keys, the mouse, the wheel and the
// gamepad into the flame's intent, which its motor carries out; the keys' events (the
// jump, the F-keys) act as they come, inside the buffer swap, the pad's buttons when it
// is read, in update.
class Controls {
public:
    // Wires the controls up, puts the wheel at its far end and registers the status
    // lines of the render switches.
    void init(const ControlTargets& targets);

    // Another player to steer (null: none, while a level is being replaced).
    void setCharacter(Character* character) { targets.character = character; }

    // Once a frame, with the frame's step in seconds. While paused only the keys are
    // listened to: the flame gets no intent and Space does not jump.
    void update(double dt);

    // Whether R or the pad's Back (restart), or P or Start (pause), was pressed since the last
    // call; each press is handed out once.
    bool takeRestartRequest();
    bool takePauseRequest();
    // Whether F6 (read the level again) was pressed since the last call.
    bool takeReloadRequest();
    void setPaused(bool isPaused) { paused = isPaused; }
    // Whether the player's input moved, turned or lifted the flame in the last update.
    bool playerActed() const { return acted; }

    // What the keys, mouse and wheel ask for this frame of dt seconds. Keeps the wheel
    // inside its range.
    MoveIntent readIntent(float dt);

    // The window's callbacks.
    void onKey(int key, int action);
    void onMouseMove(int x, int y);
    void onMouseButton(int button, int action);

    int mouseX = 0;
    int mouseY = 0;
    int mouseDeltaX = 0;
    int mouseDeltaY = 0;

private:
    void show(const char* line);
    void listen();

    void jump();

    ControlTargets targets;
    GamepadControls gamepad;
    int savedCursorX = 0;
    int savedCursorY = 0;
    bool ignoreNextDelta = false;
    bool paused = false;
    bool restartRequested = false;
    bool pauseRequested = false;
    bool reloadRequested = false;
    bool jumpRequested = false; // Space or A since the last update
    bool acted = false;
};
