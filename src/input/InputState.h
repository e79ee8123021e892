#pragma once

#include <glm/vec3.hpp>

#include <string>

class Camera;
class Character;
class Texture;
class TextOverlay;
struct Frustum;
class PhysicsWorld;
namespace physics {
class Actor;
class Controller;
class ControllerManager;
} // namespace physics

// What the player's controls act on, and the steering built up in one frame.
struct InputState {
    Character* character = nullptr;
    Camera* camera = nullptr;
    PhysicsWorld* world = nullptr;
    physics::Actor* actor = nullptr;
    Texture* textureManager = nullptr;
    TextOverlay* overlay = nullptr;
    Frustum* frustum = nullptr;
    physics::Controller* controller = nullptr;
    physics::ControllerManager* controllerManager = nullptr;
    glm::vec3 moveDirection{0.0f};
    float yawStep = 0.0f;   // degrees about Y this frame
    float pitchStep = 0.0f; // degrees about X this frame
    float jumpGravity = 0.0f;
};

// Process-wide state of the controls: the last mouse event, the jump and the
// render toggles. One instance, shared by the callbacks.
struct ControlState {
    int mouseX = 0;
    int mouseY = 0;
    int mouseDeltaX = 0;
    int mouseDeltaY = 0;
    int savedCursorX = 0;
    int savedCursorY = 0;
    bool ignoreNextDelta = false;
    bool jumping = false;
    bool inAir = false;
    bool standingJump = false;
    bool airSlow = false;
    float jumpTime = 0.0f;
    float jumpStartSpeed = 0.0f;
    int jumpStrengthNow = 0;
    int polygonModeState = 0; // 0 fill, 1 lines, 2 points
    bool blendingOffState = false;
    bool cullingOffState = false;
    std::string polygonModeText = "Wire frame - deactivated";
    std::string blendingText = "Alpha-blending: on";
};

extern ControlState controlState;
