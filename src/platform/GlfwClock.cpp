#include "platform/GlfwClock.h"

#include <GLFW/glfw3.h>

namespace platform {

double GlfwClock::now() const { return glfwGetTime(); }

} // namespace platform
