#include "core/OpenWindow.h"

#include "core/AppState.h"
#include "platform/Platform.h"
#include "render/RenderState.h"

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

    if (!window.handle() || !loadGlFunctions()) {
        std::cout << "Could not init GLEW!" << std::endl;
        std::exit(1);
    }
    std::cout << "GLEW initialized" << std::endl;

    window.setTitle("Vellamora");
    window.setSwapInterval(1);

    setDefaultRenderState(appState.width, appState.height);
}
