#include "core/Director.h"

#include "camera/Frustum.h"
#include "core/OpenWindow.h"
#include "input/Controls.h"
#include "platform/Platform.h"

#include <GL/glew.h>

#include <cstdlib>
#include <sstream>

std::string fpsText;
std::string cullingText;

namespace {
const glm::vec4 kStatusColor{1.0f, 0.8f, 0.5f, 1.0f};
}

Director::Director(std::string path)
    : textureCache(std::make_unique<Texture>()), configPath(std::move(path)),
      appState(std::make_unique<AppState>()), camera(std::make_unique<Camera>()),
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

    const std::uint32_t fontProgram =
        shaders.loadProgram("shader/font_shader.vert shader/font_shader.frag");

    overlay = std::make_unique<TextOverlay>(textureCache->loadTexture("obj/arial.png"), fontProgram);
    readGlyphFile(*overlay, "obj/arial_coords.data");
    appState->fontProgram = fontProgram;
    overlay->initBuffers();
    textureCache->overlay = overlay.get();
    textureCache->init(); // the "tex" line

    camera->setupProjections();
    camera->fontProgram = fontProgram;

    initInput(input, physicsWorld.get(), nullptr, camera.get(), textureCache.get(), overlay.get());

    addLine(&fpsText, *overlay, "fps", 700.0f, false, false, 500.0f, 350.0f, kStatusColor, -1.0,
            0.0);
    addLine(&cullingText, *overlay, "cul", 700.0f, true, false, -500.0f, 290.0f, kStatusColor, 1.0,
            10.0);
    totalObjects = 1;
    frustum.frustumCulling = true;
}

void Director::update() {
    const double now = platform::clock().now();
    dt = now - previousTime;
    previousTime = now;

    updateControls(input, dt);

    const double fps = fpsCounter.computeFps();
    if (fps != 0.0) {
        std::ostringstream text;
        text << "Fps: " << fps;
        fpsText = text.str();
    }
}

void Director::render() {
    renderedObjects = 1;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderOverlayPass();
    glUseProgram(0);
    platform::window().swapBuffers();

    std::ostringstream text;
    text << (frustum.frustumCulling ? "Frustum on: Total Objects: " : "Frustum off: Total Objects: ")
         << totalObjects << " - Rendered Objects: " << renderedObjects;
    cullingText = text.str();
}

void Director::renderOverlayPass() {
    glUseProgram(appState->fontProgram);
    glUniformMatrix4fv(glGetUniformLocation(camera->fontProgram, "ortho"), 1, GL_FALSE,
                       &camera->ortho[0][0]);
    overlay->drawLines();
}

void Director::cleanup() { platform::window().terminate(); }
