#include "core/OpenWindow.h"

#include "core/AppState.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "render/RenderState.h"

bool openWindow(const AppState& appState) {
    platform::Window& window = platform::window();
    if (!window.init()) {
        platform::DiagnosticLine() << "Could not init GLFW!";
        return false;
    }
    platform::DiagnosticLine() << "GLFW initialized";

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
        platform::DiagnosticLine() << "Could not init GLEW!";
        return false;
    }
    platform::DiagnosticLine() << "GLEW initialized";

    window.setTitle("Vellamora");
    window.setSwapInterval(1);

    setDefaultRenderState(appState.width, appState.height);
    return true;
}
