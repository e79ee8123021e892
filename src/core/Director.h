#pragma once

#include "camera/Camera.h"
#include "camera/Frustum.h"
#include "core/AppState.h"
#include "core/FpsCounter.h"
#include "core/LevelReload.h"
#include "game/CourseTimer.h"
#include "game/FollowCamera.h"
#include "game/GameWorld.h"
#include "input/Controls.h"
#include "level/DataLoader.h"
#include "level/ObjectDescription.h"
#include "physics/PhysicsWorld.h"
#include "render/Light.h"
#include "render/RenderToggles.h"
#include "render/SceneFrame.h"
#include "render/SceneRenderer.h"
#include "render/TextOverlay.h"
#include "resources/Shader.h"
#include "resources/Texture.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Owns the running game and drives it: init once, then update and render every
// frame around the physics step, cleanup at the end.
class Director {
public:
    explicit Director(std::string configPath);
    virtual ~Director();
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    // False when there is no game to run (no physics, no window or no player); the
    // reason is already reported, and only cleanup may follow.
    [[nodiscard]] bool init();

    // Tears the running level down, if there is one, and builds the level of the
    // file in its place. False when the new level has no Character: then there is
    // nothing to play, and no level either.
    bool loadWorld(const std::string& path);
    // Tears the running level down: afterwards the physics scene is empty.
    void unloadWorld();
    // Hands the level's objects the camera, the HUD and the textures, lets them set
    // up, and points the camera, the flame's light and the controls at the player.
    void startWorld();
    // Plays the level of the file again from its start: the world torn down and built
    // anew, the flame full, the HUD lines and the course timer as at the start; the
    // render settings stay. When the file no longer has a Character the running level
    // stays, and false says so.
    bool restart();
    // Reads the level file again, as a save of it or F6 asks: checked first, and played
    // in place of the running level only when it has no error (otherwise the running
    // level stays and the problems are reported). The flame keeps its place, heading,
    // camera and value, unless its own record changed or its run was over: then it
    // starts over at the level's start, as with R. Pause and render settings stay.
    bool reload();
    // A paused game is drawn but not played: no physics step, no drain, no particle or
    // flicker, game time standing still (platform::gameClock), "Paused" on screen.
    void setPaused(bool paused);
    bool isPaused() const;

    void update();
    void render();
    void cleanup();

    // The six shadow maps and both shadow programs; the last step of init.
    void setupShadows();
    // The visible shadow casters into the six depth maps, seen from the flame.
    void renderDepthPass();
    // The visible scene, lit by the flame and shadowed by the six maps.
    void renderLitPass();
    // The frame as the renderer sees it: a draw record for each visible entity (in
    // their order) and the flame's.
    void describeFrame();

    // The HUD's statistics line for the frame just drawn.
    void updateCullingText();

    // The world's entities that passed the frustum test this frame.
    std::vector<Entity*> visibleEntities;
    std::unique_ptr<Texture> textureCache;
    Shader shaders;
    DataLoader loader;
    Controls controls;
    RenderToggles toggles;
    std::string configPath;
    std::uint32_t simpleProgram = 0;
    double previousTime = 0.0;
    double dt = 0.0; // this frame's step in seconds, straight from the timer
    std::unique_ptr<AppState> appState;
    std::unique_ptr<Light> light; // the light on the flame
    std::unique_ptr<Camera> camera;
    // Places the camera each frame where the flame's offset wants it, or in front of
    // what would hide the flame.
    FollowCamera followCamera;
    std::unique_ptr<PhysicsWorld> physicsWorld;
    std::unique_ptr<TextOverlay> overlay;
    // HUD texts of the frame-rate and culling lines; the overlay lines point at them.
    std::string fpsText;
    std::string cullingText;
    std::string pausedText = "Paused";
    CourseTimer courseTimer;
    // Watches the level file from init on.
    std::unique_ptr<LevelReload> levelReload;
    // The record the running level's player was built from.
    ObjectDescription playerRecord;
    std::int32_t windowWidth = 1024;
    std::int32_t windowHeight = 768;
    // What is in view: last frame's camera, and whether culling is on at all.
    Frustum frustum;
    // Draws what describeFrame hands it; owns the shadow maps.
    SceneRenderer renderer;
    SceneFrame frame;
    std::uint32_t depthProgram = 0;
    std::uint32_t shadowProgram = 0;
    std::int32_t totalObjects = 1;    // every entity plus the character
    std::int32_t renderedObjects = 1; // drawn this frame, the character included
    // The level being played: declared last, so that it goes before the overlay, the
    // physics world and the caches its objects use.
    std::unique_ptr<GameWorld> world;

private:
    void loadPrograms();
    // A level of the file, built beside whatever level is running.
    std::unique_ptr<GameWorld> buildWorld(const std::string& path);
    // The entities in view are kept for drawing and, when `step` is set, updated; the
    // others are only updated when they ask to be.
    void updateEntities(bool step);
    // The running level, if any, gives way to `next`, which is then started.
    void replaceWorld(std::unique_ptr<GameWorld> next);
    // R, P and F6 pressed, and a save of the level file, during the last frame: acted
    // on before this one plays.
    void takeRequests();
    // The player, or null before a level is loaded.
    Character* player() const { return world ? world->character.get() : nullptr; }

    FpsCounter fpsCounter;
};
