#include "X11Events.h"

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include <X11/extensions/XTest.h>

namespace x11 {

namespace {

// A connection of our own: the events come from outside the game, as a device's would.
Display* display() {
    static Display* connection = XOpenDisplay(nullptr);
    return connection;
}

void flush() { XSync(display(), False); }

} // namespace

bool prepare(GLFWwindow* window) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!display() || !window ||
        !XTestQueryExtension(display(), &eventBase, &errorBase, &major, &minor)) {
        return false;
    }
    glfwFocusWindow(window);
    pointerTo(window, 10, 10);
    return true;
}

void key(const char* keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(display(), XStringToKeysym(keysym));
    XTestFakeKeyEvent(display(), code, press ? True : False, CurrentTime);
    flush();
}

void button(int xButton, bool press) {
    XTestFakeButtonEvent(display(), static_cast<unsigned>(xButton), press ? True : False,
                         CurrentTime);
    flush();
}

void pointerTo(GLFWwindow* window, int x, int y) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    Display* connection = display();
    XTranslateCoordinates(connection, glfwGetX11Window(window), DefaultRootWindow(connection), x,
                          y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(connection, -1, rootX, rootY, CurrentTime);
    flush();
}

} // namespace x11
