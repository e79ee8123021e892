#include "platform/Window.h"

#include "platform/Platform.h"

#include <GLFW/glfw3.h>

namespace platform {

bool Window::init() {
    initialized = glfwInit() == GLFW_TRUE;
    return initialized;
}

bool Window::open(const WindowSettings& settings) {
    if (!initialized) {
        return false;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, settings.depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, settings.stencilBits);
    glfwWindowHint(GLFW_RESIZABLE, settings.resizable ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_COMPAT_PROFILE);
    window = glfwCreateWindow(settings.width, settings.height, "", nullptr, nullptr);
    if (!window) {
        // A driver without versioned compatibility contexts still hands out its
        // highest legacy context, which carries the same features.
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 1);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_ANY_PROFILE);
        window = glfwCreateWindow(settings.width, settings.height, "", nullptr, nullptr);
    }
    if (!window) {
        return false;
    }
    glfwMakeContextCurrent(window);
    realInput().attach(window);
    return true;
}

void Window::setTitle(const std::string& title) {
    if (window) {
        glfwSetWindowTitle(window, title.c_str());
    }
}

void Window::setSwapInterval(int interval) {
    if (window) {
        glfwSwapInterval(interval);
    }
}

bool Window::isOpen() const { return window && !glfwWindowShouldClose(window); }

void Window::getSize(int& width, int& height) const {
    width = 0;
    height = 0;
    if (window) {
        glfwGetWindowSize(window, &width, &height);
    }
}

void Window::swapBuffers() {
    if (window) {
        glfwSwapBuffers(window);
    }
    glfwPollEvents();
    input().processEvents();
}

void Window::terminate() {
    realInput().attach(nullptr);
    if (window) {
        glfwDestroyWindow(window);
        window = nullptr;
    }
    if (initialized) {
        glfwTerminate();
        initialized = false;
    }
}

} // namespace platform
