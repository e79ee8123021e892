#pragma once

#include "render/LocationCache.h"

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <cstdint>

// What the light sits on (the player's flame): where it is this frame, and whether it
// has gone out. The renderer knows no more of the game than this.
class LightAnchor {
public:
    virtual ~LightAnchor() = default;
    virtual glm::vec4 lightPosition() const = 0;
    virtual bool isOut() const = 0;
};

// The point light that sits on the flame: it follows the character, flickers in
// orange tones, and goes out when the flame dies.
class Light {
public:
    Light(const glm::vec4& position, const glm::vec4& color, const glm::vec4& ambientColor,
          const glm::vec4& specularColor);

    glm::vec4 position;
    glm::vec4 color;
    glm::vec4 ambientColor;
    glm::vec4 specularColor;
    glm::vec3 colorMin{0.0f};
    glm::vec3 colorMax{1.0f};
    std::uint32_t litProgram = 0;
    std::uint32_t waterProgram = 0;
    bool flickerEnabled = false;
    int holdFrames = 0;
    bool pickNewColor = true;
    int frameCounter = 0;
    const LightAnchor* character = nullptr;
    // Where the light's uniforms live in the programs it is uploaded to; a cache, so
    // uploading stays a const operation on the light.
    mutable LocationCache locations;
};

// Once a frame: onto the character, dark at game over, otherwise flickering.
void updateLight(Light& light);
void flicker(Light& light);

// The light uniforms of the lit program; the reduced set (no specular colour) goes
// to the water program, or to the program given.
void setLightUniforms(const Light& light);
void setReducedLightUniforms(const Light& light);
void setReducedLightUniforms(const Light& light, std::uint32_t program);
