#pragma once

#include "platform/InputDevice.h"
#include "platform/PressLatch.h"

#include <set>
#include <vector>

namespace platform {

// Input driven by a test or a scripted playthrough. press/release/moveMouse queue
// events; as with a real window, they take effect when the events are processed
// (inside the buffer swap): the polled state changes and the callbacks run then.
// scrollWheel and the program's own setMousePos/setMouseWheel act at once. A press
// and release queued for the same processEvents is a tap: down for the frame after
// it, as with the real window (PressLatch). The scripted gamepad is polled, as a real
// one is: what is set on it is what the next read sees.
class ScriptedInput : public InputDevice {
public:
    void press(int key);
    void release(int key);
    void pressButton(int button);
    void releaseButton(int button);
    void moveMouse(int x, int y);
    void scrollWheel(int steps);

    // A pad plugged in (sticks centred, triggers released, no button down) or pulled out.
    void connectGamepad();
    void disconnectGamepad();
    void setGamepadButton(int button, bool down);
    void setGamepadAxis(int axis, float value);

    bool isKeyDown(int key) const override;
    bool isMouseButtonDown(int button) const override;
    void getMousePos(int& x, int& y) const override;
    void setMousePos(int x, int y) override;
    int getMouseWheel() const override { return wheel; }
    void setMouseWheel(int position) override { wheel = position; }
    void setCursorEnabled(bool enabled) override { cursorEnabled = enabled; }
    bool isCursorEnabled() const { return cursorEnabled; }

    void setKeyCallback(KeyCallback callback) override { keyCallback = callback; }
    void setMousePosCallback(MousePosCallback callback) override;
    void setMouseButtonCallback(MouseButtonCallback callback) override {
        buttonCallback = callback;
    }

    bool readGamepad(GamepadState& state) const override;

    void processEvents() override;

private:
    enum class EventKind { Key, Button, MouseMove };
    struct Event {
        EventKind kind;
        int a;
        int b;
    };

    std::set<int> keysDown;
    std::set<int> buttonsDown;
    std::vector<Event> pending;
    PressLatch keyPresses;
    PressLatch buttonPresses;
    int mouseX = 0;
    int mouseY = 0;
    int wheel = 0;
    bool cursorEnabled = true;
    bool gamepadConnected = false;
    GamepadState gamepad;
    KeyCallback keyCallback = nullptr;
    MousePosCallback mousePosCallback = nullptr;
    MouseButtonCallback buttonCallback = nullptr;
};

} // namespace platform
