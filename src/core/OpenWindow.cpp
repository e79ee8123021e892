#include "core/OpenWindow.h"

#include "core/AppState.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <cstdlib>
#include <iostream>

void openWindow(const AppState& appState) {
    platform::Window& window = platform::window();
    if (!window.init()) {
        std::cout << "Could not init GLFW!" << std::endl;
        std::exit(1);
    }
    std::cout << "GLFW initialized" << std::endl;

    // The result is not looked at: without a window there is no context, and the
    // entry-point loader below reports that.
    platform::WindowSettings settings;
    settings.width = appState.width;
    settings.height = appState.height;
    settings.depthBits = 24;
    settings.stencilBits = 8;
    settings.resizable = false;
    window.open(settings);

    glewExperimental = GL_TRUE;
    if (!window.handle() || glewInit() != GLEW_OK) {
        std::cout << "Could not init GLEW!" << std::endl;
        std::exit(1);
    }
    // glewInit may leave a harmless error flag behind; start with a clean slate.
    while (glGetError() != GL_NO_ERROR) {
    }
    std::cout << "GLEW initialized" << std::endl;

    window.setTitle("Vellamora");
    window.setSwapInterval(1);

    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, appState.width, appState.height);
}
