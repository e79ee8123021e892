#include "core/Director.h"

#include "core/OpenWindow.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <cstdlib>
#include <sstream>

std::string fpsText;
std::string cullingText;

Director::Director(std::string path)
    : configPath(std::move(path)), appState(std::make_unique<AppState>()),
      physicsWorld(std::make_unique<PhysicsWorld>()) {
    appState->width = windowWidth;
    appState->height = windowHeight;
}

Director::~Director() = default;

void Director::init() {
    // Without a scene there is no game: the world has said what failed.
    if (!physicsWorld->initPhysics()) {
        std::exit(1);
    }
    openWindow(*appState);
}

void Director::update() {
    const double now = platform::clock().now();
    dt = now - previousTime;
    previousTime = now;

    const double fps = fpsCounter.computeFps();
    if (fps != 0.0) {
        std::ostringstream text;
        text << "Fps: " << fps;
        fpsText = text.str();
    }
}

void Director::render() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(0);
    platform::window().swapBuffers();
}

void Director::cleanup() { platform::window().terminate(); }
