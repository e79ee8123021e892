#include "core/Director.h"

#include "camera/Frustum.h"
#include "core/OpenWindow.h"
#include "input/Controls.h"
#include "physics/engine/Actor.h"
#include "platform/Diagnostics.h"
#include "platform/Platform.h"
#include "resources/Mesh.h"

#include <glm/vec4.hpp>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

#include <sstream>
#include <string>

Director::Director(std::string path)
    : textureCache(std::make_unique<Texture>()), configPath(std::move(path)),
      appState(std::make_unique<AppState>()),
      light(std::make_unique<Light>(
          glm::vec4(0.0f, 2.0f, 0.0f, 1.0f), glm::vec4(1.0f, 0.7f, 0.4f, 1.0f),
          glm::vec4(0.1f, 0.1f, 0.1f, 1.0f), glm::vec4(0.5f, 0.2f, 0.2f, 1.0f))),
      camera(std::make_unique<Camera>()), physicsWorld(std::make_unique<PhysicsWorld>()) {
    appState->width = windowWidth;
    appState->height = windowHeight;
}

Director::~Director() {
    // The level's objects hold physics actors, HUD lines and GL buffers: they go first.
    world.reset();
}

bool Director::init() {
    // Without a scene there is no game: the world has said what failed.
    if (!physicsWorld->initPhysics()) {
        return false;
    }
    if (!openWindow(*appState)) {
        return false;
    }
    loadPrograms();

    levelReload = std::make_unique<LevelReload>(configPath);
    if (!loadWorld(configPath)) {
        // Everything after this point follows the player; there is nothing to play.
        platform::DiagnosticLine()
            << "The level " << configPath << " has no Character: nothing to play";
        return false;
    }

    overlay = std::make_unique<TextOverlay>(textureCache->loadTexture("obj/arial.png"),
                                            appState->fontProgram);
    readGlyphFile(*overlay, "obj/arial_coords.data");
    overlay->initBuffers();
    textureCache->overlay = overlay.get();
    textureCache->init(); // the "tex" line

    light->litProgram = simpleProgram;
    light->waterProgram = appState->waterProgram;
    light->flickerEnabled = true;
    light->colorMin = glm::vec3(1.0f, 0.55f, 0.0f);
    light->colorMax = glm::vec3(1.0f, 0.6f, 0.0f);

    camera->setupProjections();
    camera->simpleProgram = simpleProgram;
    camera->fontProgram = appState->fontProgram;
    camera->particleProgram = appState->particleProgram;
    camera->waterProgram = appState->waterProgram;
    camera->waterPlaneProgram = appState->waterPlaneProgram;

    startWorld();
    addLine(&fpsText, *overlay, "fps", 700.0f, false, false, 500.0f, 350.0f, kHudTextColor, -1.0,
            0.0);
    addLine(&cullingText, *overlay, "cul", 700.0f, true, false, -500.0f, 290.0f, kHudTextColor, 1.0,
            10.0);
    addLine(&courseTimer.text(), *overlay, "time", 900.0f, true, true, -490.0f, -335.0f,
            kHudTextColor, -1.0, 0.0);
    addLine(&pausedText, *overlay, "paused", 2000.0f, false, false, 62.0f, 0.0f, kHudTextColor,
            -1.0, 0.0);
    levelReload->addLine(*overlay);
    frustum.frustumCulling = true;
    setupShadows();
    return true;
}

void Director::loadPrograms() {
    simpleProgram = shaders.loadProgram("shader/simple_shader.vert shader/simple_shader.frag");
    appState->simpleProgram = simpleProgram;
    appState->fontProgram = shaders.loadProgram("shader/font_shader.vert shader/font_shader.frag");
    appState->particleProgram = shaders.loadProgram(
        "shader/partikel_shader.vert shader/partikel_shader.geom shader/partikel_shader.frag");
    appState->waterProgram = shaders.loadProgram(
        "shader/water_shader.vert shader/water_shader.geom shader/water_shader.frag");
    appState->waterPlaneProgram = shaders.loadProgram("shader/waterPlane_shader.vert "
                                                      "shader/waterPlane_shader.geom "
                                                      "shader/waterPlane_shader.frag");
}

void Director::unloadWorld() {
    // Nothing may point into the old level once it is gone.
    visibleEntities.clear();
    frame.records.clear();
    light->character = nullptr;
    camera->character = nullptr;
    controls.setCharacter(nullptr);
    world.reset();
}

std::unique_ptr<GameWorld> Director::buildWorld(const std::string& path) {
    auto built = std::make_unique<GameWorld>(*physicsWorld);
    loader.loadLevel(
        *built, *textureCache, path,
        LevelPrograms{simpleProgram, appState->waterProgram, appState->waterPlaneProgram});
    return built;
}

bool Director::loadWorld(const std::string& path) {
    unloadWorld();
    world = buildWorld(path);
    playerRecord = loader.playerRecord;
    return world->character != nullptr;
}

void Director::replaceWorld(std::unique_ptr<GameWorld> next) {
    // The old level goes first: its HUD lines and actors make way for the new one's.
    unloadWorld();
    world = std::move(next);
    playerRecord = loader.playerRecord;
    startWorld();
}

void Director::startWorld() {
    Character* character = player();
    light->character = character;
    camera->character = character;
    followCamera.reset();
    world->setup(
        WorldServices{camera.get(), overlay.get(), textureCache.get(), appState->particleProgram});
    controls.init(ControlTargets{character, textureCache.get(), overlay.get(), &toggles, &frustum});
    totalObjects = static_cast<std::int32_t>(world->entities.size()) + 1;
}

bool Director::restart() {
    std::unique_ptr<GameWorld> next = buildWorld(configPath);
    if (!next->character) {
        platform::DiagnosticLine()
            << "The level " << configPath << " has no Character: the running level stays";
        return false;
    }
    replaceWorld(std::move(next));
    courseTimer.reset();
    setPaused(false);
    return true;
}

bool Director::reload() {
    if (!levelReload || !levelReload->check()) {
        return false;
    }
    std::unique_ptr<GameWorld> next = buildWorld(configPath);
    if (!next->character) {
        // Changed again between the check and the read.
        levelReload->reportTurnedDown("The level " + configPath +
                                      " has no Character: the running level stays");
        return false;
    }
    const Character* earlier = player();
    const bool carryOn = earlier && !earlier->locked && loader.playerRecord == playerRecord;
    if (carryOn) {
        next->character->continueFrom(*earlier);
    }
    // Where the wheel put the camera is part of where the designer was looking.
    const int wheel = platform::input().getMouseWheel();
    replaceWorld(std::move(next));
    if (carryOn) {
        platform::input().setMouseWheel(wheel);
    } else {
        courseTimer.reset();
    }
    levelReload->reportReloaded(!carryOn);
    return true;
}

void Director::setPaused(bool paused) {
    platform::GameClock& clock = platform::gameClock();
    if (paused) {
        clock.pause();
    } else {
        clock.resume();
    }
    controls.setPaused(paused);
    if (overlay) {
        if (HudLine* line = overlay->findLine("paused")) {
            line->visible = paused;
        }
    }
}

bool Director::isPaused() const {
    return platform::gameClock().isPaused();
}

void Director::takeRequests() {
    if (controls.takePauseRequest()) {
        setPaused(!isPaused());
    }
    if (controls.takeRestartRequest()) {
        restart();
    }
    const bool saved = levelReload && levelReload->fileSaved(platform::wallClock().now());
    if (controls.takeReloadRequest() || saved) {
        reload();
    }
}

void Director::update() {
    takeRequests();
    const bool paused = isPaused();
    const double now = platform::clock().now();
    dt = now - previousTime;
    previousTime = now;

    controls.update(dt);
    Character* character = player();
    if (character && !paused) {
        character->update(dt);
        courseTimer.update(now, controls.playerActed(), character->locked);
    }

    visibleEntities.clear();
    if (world) {
        updateEntities(!paused);
    }

    if (!paused) {
        updateLight(*light);
    }
    if (character) {
        const glm::mat4 wanted = character->cameraOffset * glm::inverse(character->modelMatrix);
        camera->view = followCamera.view(wanted, glm::vec3(character->modelMatrix[3]),
                                         physicsWorld ? physicsWorld->scene : nullptr,
                                         character->actor, static_cast<float>(dt));
    }
    // Next frame's culling uses this frame's camera.
    frustum.setCullingMatrices(camera->perspective, camera->view);

    const double fps = fpsCounter.computeFps();
    if (fps != 0.0) {
        std::ostringstream text;
        text << "Fps: " << fps;
        fpsText = text.str();
    }
}

void Director::updateEntities(bool step) {
    const std::array<glm::vec4, 6> planes = clipPlanes(frustum.cullProjection * frustum.cullView);
    for (const auto& entity : world->entities) {
        if (frustum.isInFrustum(planes, entity->modelMatrix, entity->mesh->boundingCorners.data(),
                                entity->boundsCentre, entity->boundsRadius)) {
            visibleEntities.push_back(entity.get());
            if (step) {
                entity->update(dt);
            }
        } else if (step && entity->updateWhenCulled) {
            entity->update(dt);
        }
    }
}

void Director::describeFrame() {
    frame.records.resize(visibleEntities.size());
    for (std::size_t i = 0; i < visibleEntities.size(); ++i) {
        Entity& entity = *visibleEntities[i];
        entity.describe(frame.records[i]);
        // The shadowed passes draw an entity with their own program, last the lit one.
        if (!entity.skipLitPasses) {
            entity.program = shadowProgram;
        }
    }
    Character* character = player();
    frame.hasFlame = character != nullptr;
    frame.hasCameraPosition = character != nullptr;
    if (character) {
        character->describe(frame.flame);
        frame.cameraPosition = character->modelMatrix * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
        // The maps are taken from where the body is; the drawn flame follows it.
        frame.shadowEye = character->actor ? character->actor->getGlobalPosition()
                                           : glm::vec3(character->modelMatrix[3]);
    }
}

void Director::render() {
    describeFrame();
    renderer.render(frame);
    renderedObjects = 1 + renderer.renderedObjects;
    platform::window().swapBuffers();
    // After the overlay: the HUD always shows the line of the frame before.
    updateCullingText();
}

void Director::updateCullingText() {
    std::ostringstream text;
    text << (frustum.frustumCulling ? "Frustum on: Total Objects: "
                                    : "Frustum off: Total Objects: ")
         << totalObjects << " - Rendered Objects: " << renderedObjects;
    cullingText = text.str();
}

void Director::setupShadows() {
    depthProgram = shaders.loadProgram("shader/shadowFirst.vert shader/shadowFirst.frag");
    shadowProgram = shaders.loadProgram("shader/shadowSecond.vert shader/shadowSecond.frag");
    appState->depthProgram = depthProgram;
    appState->shadowProgram = shadowProgram;

    renderer.camera = camera.get();
    renderer.light = light.get();
    renderer.overlay = overlay.get();
    renderer.textures = textureCache.get();
    renderer.depthProgram = depthProgram;
    renderer.shadowProgram = shadowProgram;
    renderer.waterProgram = appState->waterProgram;
    renderer.particleProgram = appState->particleProgram;
    renderer.fontProgram = appState->fontProgram;
    renderer.width = windowWidth;
    renderer.height = windowHeight;
    renderer.setupShadows();
}

void Director::renderDepthPass() {
    describeFrame();
    renderer.renderDepthPass(frame);
}

void Director::renderLitPass() {
    describeFrame();
    renderer.renderedObjects = 0;
    renderer.renderLitPass(frame);
}

void Director::cleanup() {
    for (Entity* entity : visibleEntities) {
        entity->releaseBuffers();
    }
    renderer.release();
    platform::window().terminate();
}
