#pragma once

#include "render/DrawRecord.h"

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <vector>

// Everything the game hands the renderer for one frame.
struct SceneFrame {
    // The objects in view, in the order the level lists them.
    std::vector<DrawRecord> records;
    // The flame's sprites, drawn by the particle pass; none without a player.
    DrawRecord flame;
    bool hasFlame = false;
    // Where the six shadow maps are taken from (the player's body).
    glm::vec3 shadowEye{0.0f};
    // The lit pass's "camPos" (the player's origin), when there is a player.
    glm::vec4 cameraPosition{0.0f, 0.0f, 0.0f, 1.0f};
    bool hasCameraPosition = false;
};
