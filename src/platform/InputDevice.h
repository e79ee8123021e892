#pragma once

#include "platform/GamepadState.h"

#include <functional>

namespace platform {

using KeyCallback = std::function<void(int key, int action)>;
using MousePosCallback = std::function<void(int x, int y)>;
using MouseButtonCallback = std::function<void(int button, int action)>;

// Keyboard and mouse as the game sees them, with the behaviour of the classic
// GLFW 2 interface: key codes from Keys.h, an absolute mouse-wheel position that
// can be read and set, and a mouse-position callback that is called at once with
// the cursor position when it is registered. Events reach the callbacks only
// inside processEvents(), which the window calls right after each buffer swap.
class InputDevice {
public:
    virtual ~InputDevice() = default;

    virtual bool isKeyDown(int key) const = 0;
    virtual bool isMouseButtonDown(int button) const = 0;
    virtual void getMousePos(int& x, int& y) const = 0;
    virtual void setMousePos(int x, int y) = 0;
    virtual int getMouseWheel() const = 0;
    virtual void setMouseWheel(int position) = 0;
    // false hides and captures the cursor (mouse-look), true gives it back.
    virtual void setCursorEnabled(bool enabled) = 0;

    virtual void setKeyCallback(KeyCallback callback) = 0;
    virtual void setMousePosCallback(MousePosCallback callback) = 0;
    virtual void setMouseButtonCallback(MouseButtonCallback callback) = 0;

    // The first gamepad attached, as it is now (a pad plugged in while playing counts
    // from the next read). False, leaving `state` as it was, when there is none.
    virtual bool readGamepad(GamepadState& state) const = 0;

    // Delivers the events that arrived since the last call to the callbacks.
    virtual void processEvents() = 0;
};

} // namespace platform
