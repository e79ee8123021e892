#pragma once

#include <string>

struct GLFWwindow;

namespace platform {

// What the game asks of its one window (GLFW 2's glfwOpenWindow arguments and hints).
struct WindowSettings {
    int width = 1024;
    int height = 768;
    int depthBits = 24;
    int stencilBits = 8;
    bool resizable = false;
};

// The game window and its OpenGL context: GLFW 3 underneath, used the GLFW 2 way.
// The context is a compatibility profile, so quads, GL_CLAMP and the fixed-function
// texture enable keep working next to shaders, framebuffers and geometry shaders.
class Window {
public:
    bool init();
    // Opens the window and makes its context current; false when no window came up.
    bool open(const WindowSettings& settings);
    void setTitle(const std::string& title);
    void setSwapInterval(int interval);
    // GLFW_OPENED: the window exists and nobody asked it to close.
    bool isOpen() const;
    void getSize(int& width, int& height) const;
    // Swaps, then processes the window's events, so callbacks run inside the swap.
    void swapBuffers();
    // Closes the window and shuts GLFW down; init may be called again afterwards.
    void terminate();

    GLFWwindow* handle() const { return window; }

private:
    GLFWwindow* window = nullptr;
    bool initialized = false;
};

} // namespace platform
