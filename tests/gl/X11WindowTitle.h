#pragma once

#include <string>

struct GLFWwindow;

// The title the X server holds for a window (GLFW 3.3 cannot read it back).
// Kept apart because the X headers' macros clash with the test framework's.
std::string x11WindowTitle(GLFWwindow* window);
