#include "input/Controls.h"

#include "camera/Camera.h"
#include "camera/Frustum.h"
#include "game/Character.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"
#include "physics/engine/ControllerManager.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "render/RenderState.h"
#include "render/TextOverlay.h"
#include "resources/Texture.h"

#include <glm/gtc/matrix_transform.hpp>

ControlState controlState;

namespace {

// The input the callbacks act on: the one initInput wired up.
InputState* activeInput = nullptr;

// Degrees of turn per pixel of mouse motion with the right button held.
constexpr float kMouseTurn = 3.14159265f * 20.0f / 180.0f;
// Degrees of turn per frame with A or D.
constexpr float kKeyTurn = 3.4906585216522217f;
// The wheel range: the camera stays between 30 units behind the flame and on it.
constexpr int kWheelFar = -30;
constexpr int kWheelNear = 0;
constexpr float kZoomSpeed = 30.0f;

void show(const char* line) {
    if (activeInput && activeInput->overlay) {
        showLine(*activeInput->overlay, line);
    }
}

void nextPolygonMode() {
    ControlState& s = controlState;
    switch (s.polygonModeState) {
    case 0:
        setPolygonMode(PolygonMode::Lines);
        s.polygonModeText = "Wire frame - Lines activated";
        s.polygonModeState = 1;
        break;
    case 1:
        setPolygonMode(PolygonMode::Points);
        s.polygonModeText = "Wire frame - Points activated";
        s.polygonModeState = 2;
        break;
    default:
        setPolygonMode(PolygonMode::Filled);
        s.polygonModeText = "Wire frame - deactivated";
        s.polygonModeState = 0;
        break;
    }
}

void switchBlending() {
    ControlState& s = controlState;
    if (s.blendingOffState) {
        setBlending(true);
        s.blendingText = "Alpha-blending: on";
        s.blendingOffState = false;
    } else {
        setBlending(false);
        s.blendingText = "Alpha-blending: off";
        s.blendingOffState = true;
    }
}

void switchCulling() {
    ControlState& s = controlState;
    if (activeInput && activeInput->frustum) {
        activeInput->frustum->frustumCulling = s.cullingOffState;
    }
    s.cullingOffState = !s.cullingOffState;
}

// The camera distance follows the wheel at a fixed speed.
void zoom(InputState& input, double dt) {
    platform::InputDevice& device = platform::input();
    const int wheel = device.getMouseWheel();
    if (wheel < kWheelFar) {
        device.setMouseWheel(kWheelFar);
    }
    if (wheel > kWheelNear) {
        device.setMouseWheel(kWheelNear);
    }
    if (!input.character) {
        return;
    }
    float z = input.character->cameraOffset[3][2];
    if (static_cast<int>(z) == wheel) {
        return;
    }
    const float step = kZoomSpeed * static_cast<float>(dt);
    if (static_cast<float>(wheel) > z) {
        z += step;
    }
    if (static_cast<float>(wheel) < z) {
        z -= step;
    }
    input.character->cameraOffset[3][2] = z;
}

// Walking directions come from the camera: W walks where the camera looks.
void steer(InputState& input) {
    ControlState& s = controlState;
    platform::InputDevice& device = platform::input();
    const float a = input.camera ? input.camera->view[2][0] : 0.0f;
    const float b = input.camera ? input.camera->view[2][2] : 1.0f;
    const bool mayChooseDirection = !s.jumping || s.standingJump;
    if (mayChooseDirection) {
        if (device.isKeyDown('W')) {
            input.moveDirection += glm::vec3(a, 0.0f, -b);
        }
        if (device.isKeyDown('S')) {
            input.moveDirection += glm::vec3(-a, 0.0f, b);
        }
    }
    if (device.isMouseButtonDown(platform::mouse::Right)) {
        if (!s.ignoreNextDelta) {
            input.yawStep += static_cast<float>(s.mouseDeltaX) * kMouseTurn;
            input.pitchStep -= static_cast<float>(s.mouseDeltaY) * kMouseTurn;
        }
        s.ignoreNextDelta = false;
        if (mayChooseDirection) {
            if (device.isKeyDown('A')) {
                input.moveDirection += glm::vec3(-b, 0.0f, -a);
            }
            if (device.isKeyDown('D')) {
                input.moveDirection += glm::vec3(b, 0.0f, a);
            }
        }
    } else {
        if (device.isKeyDown('A')) {
            input.yawStep += kKeyTurn;
        }
        if (device.isKeyDown('D')) {
            input.yawStep -= kKeyTurn;
        }
    }
}

// The rise of this frame's part of the jump: a throw upwards under doubled gravity.
float jumpStep(const InputState& input, float dt) {
    ControlState& s = controlState;
    if (!s.jumping) {
        return 0.0f;
    }
    const float t = s.jumpTime;
    const float v = s.jumpStartSpeed + input.jumpGravity * t;
    s.jumpTime = t + dt;
    return v * dt + 0.5f * input.jumpGravity * dt * dt;
}

} // namespace

void initInput(InputState& input, PhysicsWorld* world, Character* character, Camera* camera,
               Texture* textureManager, TextOverlay* overlay) {
    activeInput = &input;
    input.character = character;
    input.camera = camera;
    input.world = world;
    input.textureManager = textureManager;
    input.overlay = overlay;
    input.frustum = &frustum;
    platform::input().setMouseWheel(kWheelFar);
    if (character) {
        input.controllerManager = character->controllerManager;
        input.controller = character->controller;
        input.actor = character->actor;
    }
    if (world) {
        input.jumpGravity = 2.0f * world->gravity.y;
    }
    if (overlay) {
        overlay->addStatusLine(&controlState.polygonModeText, "pMode", -500.0f, 330.0f);
        overlay->addStatusLine(&controlState.blendingText, "alpha", -500.0f, 310.0f);
    }
}

void updateControls(InputState& input, double dt) {
    ControlState& s = controlState;
    zoom(input, dt);
    input.yawStep = 0.0f;
    input.pitchStep = 0.0f;
    // A jump keeps last frame's direction; one started standing may still pick one.
    if (!s.jumping) {
        input.moveDirection = glm::vec3(0.0f);
    } else if (input.moveDirection == glm::vec3(0.0f)) {
        s.standingJump = true;
    }
    const glm::vec3 gravity = input.world ? input.world->gravity : glm::vec3(0.0f);
    if (input.character) {
        s.jumpStrengthNow = input.character->jumpStrength;
    }
    steer(input);

    // A new mouse-position callback is called at once with the cursor, so the
    // mouse delta only survives a frame when the cursor really moved.
    platform::InputDevice& device = platform::input();
    device.setKeyCallback(onKey);
    device.setMousePosCallback(onMouseMove);
    device.setMouseButtonCallback(onMouseButton);

    input.moveDirection.y = 0.0f;
    const float length = glm::length(input.moveDirection);
    if (length != 0.0f) {
        input.moveDirection /= length;
    }
    if (!input.character) {
        return;
    }
    Character& character = *input.character;
    const float speed = static_cast<float>(character.moveSpeed);
    if (s.standingJump) {
        s.standingJump = false;
        s.airSlow = true;
    }
    glm::vec3 velocity = speed * input.moveDirection;
    if (s.airSlow) {
        velocity *= 0.2f;
    }
    const float step = static_cast<float>(dt);
    // Gravity pulls every frame, on the ground too: that keeps the feet on slopes.
    glm::vec3 displacement = (gravity + velocity) * step;
    const float rise = jumpStep(input, step);
    if (rise != 0.0f) {
        displacement.y += rise;
    }

    // Locked (game over or won): no move, and so no contact either.
    unsigned flags = 0;
    if (!character.locked && input.controller) {
        input.controller->move(displacement, kCharacterMoveGroups, 0.001f, flags, 1.0f);
    }
    if (input.controllerManager) {
        input.controllerManager->updateControllers();
    }
    if (flags & physics::CollisionDown) {
        s.jumping = false;
        s.airSlow = false;
        s.inAir = false;
    } else {
        s.inAir = true;
    }
    if (flags & physics::CollisionUp) {
        // Head against a ceiling: the jump goes on as a fall from rest.
        s.jumpStartSpeed = 0.0f;
        s.jumpTime = 0.0f;
    }

    if (input.actor) {
        character.modelMatrix[3] = glm::vec4(input.actor->getGlobalPosition(), 1.0f);
    }
    character.modelMatrix =
        glm::rotate(character.modelMatrix, glm::radians(input.yawStep), glm::vec3(0, 1, 0));
    character.cameraOffset =
        glm::rotate(character.cameraOffset, glm::radians(input.pitchStep), glm::vec3(1, 0, 0));
}

void onKey(int key, int action) {
    namespace k = platform::key;
    if (action != platform::action::Press) {
        return;
    }
    Texture* textures = activeInput ? activeInput->textureManager : nullptr;
    switch (key) {
    case k::Space:
        if (!controlState.inAir && !controlState.jumping) {
            controlState.jumping = true;
            controlState.jumpTime = 0.0f;
            controlState.jumpStartSpeed = static_cast<float>(controlState.jumpStrengthNow);
        }
        break;
    case k::F2:
        show("fps");
        break;
    case k::F3:
        nextPolygonMode();
        show("pMode");
        break;
    case k::F4:
        if (textures) {
            textures->togglePlainFilter();
        }
        show("tex");
        break;
    case k::F5:
        if (textures) {
            textures->nextMipmapFilter();
        }
        show("tex");
        break;
    case k::F7:
        if (activeInput && activeInput->overlay) {
            activeInput->overlay->toggleStatusLines();
        }
        break;
    case k::F8:
        switchCulling();
        show("cul");
        break;
    case k::F9:
        switchBlending();
        show("alpha");
        break;
    default:
        break;
    }
}

void onMouseMove(int x, int y) {
    ControlState& s = controlState;
    s.mouseDeltaX = s.mouseX - x;
    s.mouseDeltaY = y - s.mouseY;
    s.mouseX = x;
    s.mouseY = y;
}

void onMouseButton(int button, int action) {
    if (button != platform::mouse::Right) {
        return;
    }
    ControlState& s = controlState;
    platform::InputDevice& device = platform::input();
    if (action == platform::action::Press) {
        device.setCursorEnabled(false);
        device.getMousePos(s.savedCursorX, s.savedCursorY);
        s.ignoreNextDelta = true;
    } else {
        device.setCursorEnabled(true);
        device.setMousePos(s.savedCursorX, s.savedCursorY);
    }
}
