#include "platform/ScriptedInput.h"

#include "platform/Keys.h"

namespace platform {

void ScriptedInput::press(int key) {
    pending.push_back({EventKind::Key, key, action::Press});
}

void ScriptedInput::release(int key) {
    pending.push_back({EventKind::Key, key, action::Release});
}

void ScriptedInput::pressButton(int button) {
    pending.push_back({EventKind::Button, button, action::Press});
}

void ScriptedInput::releaseButton(int button) {
    pending.push_back({EventKind::Button, button, action::Release});
}

void ScriptedInput::moveMouse(int x, int y) {
    pending.push_back({EventKind::MouseMove, x, y});
}

void ScriptedInput::scrollWheel(int steps) {
    wheel += steps;
}

void ScriptedInput::connectGamepad() {
    gamepadConnected = true;
    gamepad = GamepadState{};
}

void ScriptedInput::disconnectGamepad() {
    gamepadConnected = false;
}

void ScriptedInput::setGamepadButton(int button, bool down) {
    if (button >= 0 && button < pad::ButtonCount) {
        gamepad.buttons[button] = down;
    }
}

void ScriptedInput::setGamepadAxis(int axis, float value) {
    if (axis >= 0 && axis < pad::AxisCount) {
        gamepad.axes[axis] = value;
    }
}

bool ScriptedInput::readGamepad(GamepadState& state) const {
    if (gamepadConnected) {
        state = gamepad;
    }
    return gamepadConnected;
}

bool ScriptedInput::isKeyDown(int key) const {
    return keysDown.contains(key) || keyPresses.isLatched(key);
}

bool ScriptedInput::isMouseButtonDown(int button) const {
    return buttonsDown.contains(button) || buttonPresses.isLatched(button);
}

void ScriptedInput::getMousePos(int& x, int& y) const {
    x = mouseX;
    y = mouseY;
}

void ScriptedInput::setMousePos(int x, int y) {
    // A cursor warp by the program is not reported as motion, as with the real window.
    mouseX = x;
    mouseY = y;
}

void ScriptedInput::setMousePosCallback(MousePosCallback callback) {
    mousePosCallback = callback;
    if (mousePosCallback) {
        mousePosCallback(mouseX, mouseY);
    }
}

void ScriptedInput::processEvents() {
    // A callback may queue new events; those wait for the next call.
    std::vector<Event> events;
    events.swap(pending);
    for (const Event& event : events) {
        switch (event.kind) {
        case EventKind::Key:
            if (event.b == action::Press) {
                keysDown.insert(event.a);
                keyPresses.record(event.a);
            } else {
                keysDown.erase(event.a);
            }
            if (keyCallback) {
                keyCallback(event.a, event.b);
            }
            break;
        case EventKind::Button:
            if (event.b == action::Press) {
                buttonsDown.insert(event.a);
                buttonPresses.record(event.a);
            } else {
                buttonsDown.erase(event.a);
            }
            if (buttonCallback) {
                buttonCallback(event.a, event.b);
            }
            break;
        case EventKind::MouseMove:
            mouseX = event.a;
            mouseY = event.b;
            if (mousePosCallback) {
                mousePosCallback(event.a, event.b);
            }
            break;
        }
    }
    keyPresses.publish();
    buttonPresses.publish();
}

} // namespace platform
