#include "platform/GlfwInput.h"

#include "platform/Keys.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <utility>

namespace platform {

namespace {

// Special keys whose numbers differ between the two GLFW generations.
constexpr std::pair<int, int> kSpecialKeys[] = {
    {GLFW_KEY_ESCAPE, key::Esc},
    {GLFW_KEY_UP, key::Up},
    {GLFW_KEY_DOWN, key::Down},
    {GLFW_KEY_LEFT, key::Left},
    {GLFW_KEY_RIGHT, key::Right},
    {GLFW_KEY_LEFT_SHIFT, key::LShift},
    {GLFW_KEY_RIGHT_SHIFT, key::RShift},
    {GLFW_KEY_LEFT_CONTROL, key::LCtrl},
    {GLFW_KEY_RIGHT_CONTROL, key::RCtrl},
    {GLFW_KEY_LEFT_ALT, key::LAlt},
    {GLFW_KEY_RIGHT_ALT, key::RAlt},
    {GLFW_KEY_TAB, key::Tab},
    {GLFW_KEY_ENTER, key::Enter},
    {GLFW_KEY_BACKSPACE, key::Backspace},
    {GLFW_KEY_INSERT, key::Insert},
    {GLFW_KEY_DELETE, key::Del},
    {GLFW_KEY_PAGE_UP, key::PageUp},
    {GLFW_KEY_PAGE_DOWN, key::PageDown},
    {GLFW_KEY_HOME, key::Home},
    {GLFW_KEY_END, key::End},
    {GLFW_KEY_KP_DIVIDE, key::KpDivide},
    {GLFW_KEY_KP_MULTIPLY, key::KpMultiply},
    {GLFW_KEY_KP_SUBTRACT, key::KpSubtract},
    {GLFW_KEY_KP_ADD, key::KpAdd},
    {GLFW_KEY_KP_DECIMAL, key::KpDecimal},
    {GLFW_KEY_KP_EQUAL, key::KpEqual},
    {GLFW_KEY_KP_ENTER, key::KpEnter},
    {GLFW_KEY_NUM_LOCK, key::KpNumLock},
    {GLFW_KEY_CAPS_LOCK, key::CapsLock},
    {GLFW_KEY_SCROLL_LOCK, key::ScrollLock},
    {GLFW_KEY_PAUSE, key::Pause},
    {GLFW_KEY_LEFT_SUPER, key::LSuper},
    {GLFW_KEY_RIGHT_SUPER, key::RSuper},
    {GLFW_KEY_MENU, key::Menu},
};

GlfwInput& self(GLFWwindow* window) {
    return *static_cast<GlfwInput*>(glfwGetWindowUserPointer(window));
}

} // namespace

int GlfwInput::toGameKey(int glfwKey) {
    if (glfwKey >= GLFW_KEY_SPACE && glfwKey <= GLFW_KEY_GRAVE_ACCENT) {
        return glfwKey; // printable keys are ASCII in both generations
    }
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F25) {
        return key::F1 + (glfwKey - GLFW_KEY_F1);
    }
    if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) {
        return key::Kp0 + (glfwKey - GLFW_KEY_KP_0);
    }
    for (auto [glfw, game] : kSpecialKeys) {
        if (glfw == glfwKey) {
            return game;
        }
    }
    return key::Unknown;
}

int GlfwInput::toGlfwKey(int gameKey) {
    if (gameKey >= GLFW_KEY_SPACE && gameKey <= GLFW_KEY_GRAVE_ACCENT) {
        return gameKey;
    }
    if (gameKey >= key::F1 && gameKey <= key::F25) {
        return GLFW_KEY_F1 + (gameKey - key::F1);
    }
    if (gameKey >= key::Kp0 && gameKey <= key::Kp0 + 9) {
        return GLFW_KEY_KP_0 + (gameKey - key::Kp0);
    }
    for (auto [glfw, game] : kSpecialKeys) {
        if (game == gameKey) {
            return glfw;
        }
    }
    return GLFW_KEY_UNKNOWN;
}

void GlfwInput::attach(GLFWwindow* newWindow) {
    window = newWindow;
    keyPresses = {};
    buttonPresses = {};
    if (!window) {
        return;
    }
    glfwSetWindowUserPointer(window, this);
    glfwSetKeyCallback(window, onGlfwKey);
    glfwSetCursorPosCallback(window, onGlfwCursor);
    glfwSetMouseButtonCallback(window, onGlfwButton);
    glfwSetScrollCallback(window, onGlfwScroll);
}

bool GlfwInput::isKeyDown(int key) const {
    const int glfwKey = toGlfwKey(key);
    if (!window || glfwKey == GLFW_KEY_UNKNOWN) {
        return false;
    }
    return glfwGetKey(window, glfwKey) == GLFW_PRESS || keyPresses.isLatched(key);
}

bool GlfwInput::isMouseButtonDown(int button) const {
    if (!window || button < 0 || button > GLFW_MOUSE_BUTTON_LAST) {
        return false;
    }
    return glfwGetMouseButton(window, button) == GLFW_PRESS || buttonPresses.isLatched(button);
}

void GlfwInput::getMousePos(int& x, int& y) const {
    double fx = 0.0;
    double fy = 0.0;
    if (window) {
        glfwGetCursorPos(window, &fx, &fy);
    }
    x = static_cast<int>(std::floor(fx));
    y = static_cast<int>(std::floor(fy));
}

void GlfwInput::setMousePos(int x, int y) {
    if (window) {
        glfwSetCursorPos(window, x, y);
    }
}

int GlfwInput::getMouseWheel() const {
    return static_cast<int>(std::lround(wheel));
}

void GlfwInput::setCursorEnabled(bool enabled) {
    if (window) {
        glfwSetInputMode(window, GLFW_CURSOR, enabled ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
    }
}

// GLFW looks for pads when asked and learns of new ones while polling events, so a pad
// plugged in mid-game is found here on the next frame.
bool GlfwInput::readGamepad(GamepadState& state) const {
    if (!window) {
        return false;
    }
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        GLFWgamepadstate glfwState;
        if (glfwJoystickIsGamepad(joystick) && glfwGetGamepadState(joystick, &glfwState)) {
            static_assert(pad::ButtonCount == GLFW_GAMEPAD_BUTTON_LAST + 1);
            static_assert(pad::AxisCount == GLFW_GAMEPAD_AXIS_LAST + 1);
            for (int button = 0; button < pad::ButtonCount; ++button) {
                state.buttons[button] = glfwState.buttons[button] == GLFW_PRESS;
            }
            for (int axis = 0; axis < pad::AxisCount; ++axis) {
                state.axes[axis] = glfwState.axes[axis];
            }
            return true;
        }
    }
    return false;
}

void GlfwInput::setMousePosCallback(MousePosCallback callback) {
    mousePosCallback = callback;
    if (mousePosCallback) {
        int x = 0;
        int y = 0;
        getMousePos(x, y);
        mousePosCallback(x, y);
    }
}

void GlfwInput::processEvents() {
    keyPresses.publish();
    buttonPresses.publish();
}

void GlfwInput::onGlfwKey(GLFWwindow* window, int key, int, int action, int) {
    // GLFW 2 had no key repeat unless asked for; the game never asks.
    if (action == GLFW_REPEAT) {
        return;
    }
    GlfwInput& input = self(window);
    const int gameKey = toGameKey(key);
    if (gameKey == key::Unknown) {
        return;
    }
    if (action == GLFW_PRESS) {
        input.keyPresses.record(gameKey);
    }
    if (input.keyCallback) {
        input.keyCallback(gameKey, action == GLFW_PRESS ? action::Press : action::Release);
    }
}

void GlfwInput::onGlfwCursor(GLFWwindow* window, double x, double y) {
    GlfwInput& input = self(window);
    if (input.mousePosCallback) {
        input.mousePosCallback(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    }
}

void GlfwInput::onGlfwButton(GLFWwindow* window, int button, int action, int) {
    GlfwInput& input = self(window);
    if (action == GLFW_PRESS) {
        input.buttonPresses.record(button);
    }
    if (input.buttonCallback) {
        input.buttonCallback(button, action == GLFW_PRESS ? action::Press : action::Release);
    }
}

void GlfwInput::onGlfwScroll(GLFWwindow* window, double, double dy) {
    self(window).wheel += dy;
}

} // namespace platform
