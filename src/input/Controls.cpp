#include "input/Controls.h"

#include "game/Character.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "render/RenderToggles.h"
#include "render/TextOverlay.h"
#include "resources/Texture.h"

#include <algorithm>
#include <utility>

namespace {

// Degrees of turn per pixel of mouse motion with the right button held.
constexpr float kMouseTurn = 3.14159265f * 20.0f / 180.0f;
// Degrees of turn per second with A or D: 3.49 a frame at 60 frames a second.
constexpr float kKeyTurnSpeed = 3.4906585216522217f * 60.0f;
// The wheel range: the camera stays between 30 and 5 units behind the flame, never
// inside it.
constexpr int kWheelFar = -30;
constexpr int kWheelNear = -5;

} // namespace

void Controls::init(const ControlTargets& wired) {
    targets = wired;
    platform::input().setMouseWheel(kWheelFar);
    if (targets.overlay && targets.toggles) {
        targets.toggles->addStatusLines(*targets.overlay);
    }
}

MoveIntent Controls::readIntent(float dt) {
    platform::InputDevice& device = platform::input();
    MoveIntent intent;
    // This frame still follows the wheel as it was turned; only the next one sees it
    // put back into range.
    intent.zoom = device.getMouseWheel();
    if (intent.zoom < kWheelFar) {
        device.setMouseWheel(kWheelFar);
    }
    if (intent.zoom > kWheelNear) {
        device.setMouseWheel(kWheelNear);
    }

    intent.walk = (device.isKeyDown('W') ? 1 : 0) - (device.isKeyDown('S') ? 1 : 0);
    const int sideways = (device.isKeyDown('D') ? 1 : 0) - (device.isKeyDown('A') ? 1 : 0);
    if (device.isMouseButtonDown(platform::mouse::Right)) {
        // Looking with the mouse: A and D step sideways.
        if (!ignoreNextDelta) {
            intent.turn += static_cast<float>(mouseDeltaX) * kMouseTurn;
            intent.look -= static_cast<float>(mouseDeltaY) * kMouseTurn;
        }
        ignoreNextDelta = false;
        intent.strafe = sideways;
    } else {
        intent.turn -= static_cast<float>(sideways) * kKeyTurnSpeed * dt;
    }
    return intent;
}

// A new mouse-position callback is called at once with the cursor, so the mouse
// delta only survives a frame when the cursor really moved.
void Controls::listen() {
    platform::InputDevice& device = platform::input();
    device.setKeyCallback([this](int key, int action) { onKey(key, action); });
    device.setMousePosCallback([this](int x, int y) { onMouseMove(x, y); });
    device.setMouseButtonCallback(
        [this](int button, int action) { onMouseButton(button, action); });
}

void Controls::update(double dt) {
    const PadCommands pad = gamepad.read(platform::input());
    restartRequested = restartRequested || pad.restart;
    pauseRequested = pauseRequested || pad.pause;
    if (paused) {
        listen();
        acted = false;
        return;
    }
    if (pad.jump) {
        jump();
    }
    const float seconds = static_cast<float>(dt);
    MoveIntent intent = readIntent(seconds);
    intent.walk = std::clamp(intent.walk + pad.intent.walk, -1, 1);
    intent.strafe = std::clamp(intent.strafe + pad.intent.strafe, -1, 1);
    // The sticks give speeds; this frame turns by its share of them.
    intent.turn += pad.intent.turn * seconds;
    intent.look += pad.intent.look * seconds;
    listen();
    acted = jumpRequested || intent.walk != 0 || intent.strafe != 0 || intent.turn != 0.0f;
    jumpRequested = false;
    if (targets.character) {
        targets.character->motor.update(intent, static_cast<float>(dt));
    }
}

void Controls::jump() {
    if (targets.character && !paused) {
        targets.character->motor.jump();
        jumpRequested = true;
    }
}

bool Controls::takeRestartRequest() {
    return std::exchange(restartRequested, false);
}

bool Controls::takePauseRequest() {
    return std::exchange(pauseRequested, false);
}

bool Controls::takeReloadRequest() {
    return std::exchange(reloadRequested, false);
}

void Controls::show(const char* line) {
    if (targets.overlay) {
        showLine(*targets.overlay, line);
    }
}

void Controls::onKey(int key, int action) {
    namespace k = platform::key;
    if (action != platform::action::Press) {
        return;
    }
    switch (key) {
    case k::Space:
        jump();
        break;
    case 'R':
        restartRequested = true;
        break;
    case 'P':
        pauseRequested = true;
        break;
    case k::F2:
        show("fps");
        break;
    case k::F3:
        if (targets.toggles) {
            targets.toggles->nextPolygonMode();
        }
        show("pMode");
        break;
    case k::F4:
        if (targets.textureManager) {
            targets.textureManager->togglePlainFilter();
        }
        show("tex");
        break;
    case k::F5:
        if (targets.textureManager) {
            targets.textureManager->nextMipmapFilter();
        }
        show("tex");
        break;
    case k::F6:
        reloadRequested = true;
        break;
    case k::F7:
        if (targets.overlay) {
            targets.overlay->toggleStatusLines();
        }
        break;
    case k::F8:
        if (targets.toggles && targets.frustum) {
            targets.toggles->switchCulling(*targets.frustum);
        }
        show("cul");
        break;
    case k::F9:
        if (targets.toggles) {
            targets.toggles->switchBlending();
        }
        show("alpha");
        break;
    default:
        break;
    }
}

void Controls::onMouseMove(int x, int y) {
    mouseDeltaX = mouseX - x;
    mouseDeltaY = y - mouseY;
    mouseX = x;
    mouseY = y;
}

void Controls::onMouseButton(int button, int action) {
    if (button != platform::mouse::Right) {
        return;
    }
    platform::InputDevice& device = platform::input();
    if (action == platform::action::Press) {
        device.setCursorEnabled(false);
        device.getMousePos(savedCursorX, savedCursorY);
        ignoreNextDelta = true;
    } else {
        device.setCursorEnabled(true);
        device.setMousePos(savedCursorX, savedCursorY);
    }
}
