#pragma once

#include "platform/InputDevice.h"
#include "platform/PressLatch.h"

struct GLFWwindow;

namespace platform {

// Real keyboard and mouse of the game window, GLFW 3 underneath, GLFW 2 behaviour
// on top (see InputDevice). GLFW delivers its events during glfwPollEvents, which
// the Window calls right after each swap; they are forwarded to the callbacks
// from there. processEvents, called after the poll, closes the batch: a key or button
// tapped within it stays down for the polls of the next frame (PressLatch).
class GlfwInput : public InputDevice {
public:
    // Starts listening to the window's events (nullptr: no window, all keys up).
    void attach(GLFWwindow* window);

    bool isKeyDown(int key) const override;
    bool isMouseButtonDown(int button) const override;
    void getMousePos(int& x, int& y) const override;
    void setMousePos(int x, int y) override;
    int getMouseWheel() const override;
    void setMouseWheel(int position) override { wheel = position; }
    void setCursorEnabled(bool enabled) override;

    void setKeyCallback(KeyCallback callback) override { keyCallback = callback; }
    void setMousePosCallback(MousePosCallback callback) override;
    void setMouseButtonCallback(MouseButtonCallback callback) override {
        buttonCallback = callback;
    }

    bool readGamepad(GamepadState& state) const override;

    void processEvents() override;

    // Key numbers: GLFW 3 to the game's GLFW 2 codes and back (by meaning).
    static int toGameKey(int glfwKey);
    static int toGlfwKey(int gameKey);

private:
    static void onGlfwKey(GLFWwindow* window, int key, int scancode, int action, int mods);
    static void onGlfwCursor(GLFWwindow* window, double x, double y);
    static void onGlfwButton(GLFWwindow* window, int button, int action, int mods);
    static void onGlfwScroll(GLFWwindow* window, double dx, double dy);

    GLFWwindow* window = nullptr;
    double wheel = 0.0;
    PressLatch keyPresses;    // game key codes
    PressLatch buttonPresses; // mouse button numbers
    KeyCallback keyCallback = nullptr;
    MousePosCallback mousePosCallback = nullptr;
    MouseButtonCallback buttonCallback = nullptr;
};

} // namespace platform
