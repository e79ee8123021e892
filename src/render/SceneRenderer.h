#pragma once

#include "render/RenderBackEnd.h"
#include "render/RenderFrontEnd.h"
#include "render/SceneFrame.h"
#include "render/ShadowMaps.h"
#include "render/LocationCache.h"

#include <glm/mat4x4.hpp>

#include <cstdint>

class Camera;
class Light;
class TextOverlay;
class Texture;

// Draws the frame the game describes, pass by pass: the shadow casters into the six
// depth maps, the lit scene, the water, the flame's particles and the HUD. The caller
// swaps the buffers. What each pass draws is planned by the front end and run by the
// back end; this class holds the passes' own state (programs, camera matrices, light).
class SceneRenderer {
public:
    // The shadow maps and the instance streams; depthProgram and shadowProgram must be
    // set. The last step of start-up.
    void setupShadows();
    // Gives the GL objects back.
    void release();

    // Every pass in order.
    void render(const SceneFrame& frame);
    // The shadow casters into the six maps, seen from frame.shadowEye.
    void renderDepthPass(const SceneFrame& frame);
    // The scene lit by the flame and shadowed by the maps.
    void renderLitPass(const SceneFrame& frame);
    // The water objects, each with its own program.
    void renderWaterPass(const SceneFrame& frame);
    void renderParticlePass(const SceneFrame& frame);
    void renderOverlayPass();

    ShadowMaps shadowMaps;
    Camera* camera = nullptr;
    Light* light = nullptr;
    TextOverlay* overlay = nullptr;
    Texture* textures = nullptr; // the player's texture filter
    std::uint32_t depthProgram = 0;
    std::uint32_t shadowProgram = 0;
    std::uint32_t waterProgram = 0;
    std::uint32_t particleProgram = 0;
    std::uint32_t fontProgram = 0;
    std::int32_t width = 1024;
    std::int32_t height = 768;
    // Objects drawn by the lit and water passes since the last render (the HUD's
    // "Rendered Objects", less the player).
    int renderedObjects = 0;

private:
    // The two shadowed passes over records the front end has measured.
    void depthPass(const SceneFrame& frame);
    void litPass(const SceneFrame& frame);
    void uploadCameraMatrices(std::uint32_t program, bool scene);
    void uploadMatrix(std::uint32_t program, const char* name, const glm::mat4& matrix);

    RenderFrontEnd frontEnd;
    RenderBackEnd backEnd;
    // The frame's own uniforms (camera, light space, shadow maps) in every program.
    LocationCache locations;
};
