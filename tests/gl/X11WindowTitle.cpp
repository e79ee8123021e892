#include "X11WindowTitle.h"

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

std::string x11WindowTitle(GLFWwindow* window) {
    char* name = nullptr;
    if (!window || !XFetchName(glfwGetX11Display(), glfwGetX11Window(window), &name) || !name) {
        return "";
    }
    std::string title(name);
    XFree(name);
    return title;
}
