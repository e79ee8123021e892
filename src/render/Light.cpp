#include "render/Light.h"

#include <GL/glew.h>
#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <cstdlib>

namespace {

void uploadLight(std::uint32_t program, const Light& light, bool withSpecular) {
    LocationCache& locations = light.locations;
    glUniform4fv(locations.uniform(program, "light_position"), 1, &light.position[0]);
    glUniform4fv(locations.uniform(program, "light_color"), 1, &light.color[0]);
    glUniform4fv(locations.uniform(program, "ambient_color"), 1, &light.ambientColor[0]);
    if (withSpecular) {
        glUniform4fv(locations.uniform(program, "spec_color"), 1, &light.specularColor[0]);
    }
}

} // namespace

Light::Light(const glm::vec4& position, const glm::vec4& color, const glm::vec4& ambientColor,
             const glm::vec4& specularColor)
    : position(position), color(color), ambientColor(ambientColor), specularColor(specularColor) {}

void updateLight(Light& light) {
    if (!light.character) {
        return;
    }
    light.position = light.character->lightPosition();
    if (light.character->isOut()) {
        light.color = glm::vec4(0.0f);
        return;
    }
    if (light.flickerEnabled) {
        flicker(light);
    }
}

void flicker(Light& light) {
    if (light.pickNewColor) {
        light.pickNewColor = false;
        const float r = static_cast<float>(std::rand());
        const float g = static_cast<float>(std::rand());
        const float b = static_cast<float>(std::rand());
        glm::vec3 shade(r, g, b);
        const float length = glm::length(shade);
        shade = length > 0.0f ? shade / length : glm::vec3(0.0f);
        shade = glm::max(glm::min(shade, light.colorMax), light.colorMin);
        light.color = glm::vec4(shade, light.color.w);
        return;
    }
    ++light.frameCounter;
    if (light.frameCounter >= light.holdFrames) {
        light.holdFrames = std::rand() % 7;
        light.frameCounter = 0;
        light.pickNewColor = true;
    }
}

void setLightUniforms(const Light& light) {
    uploadLight(light.litProgram, light, true);
}

void setReducedLightUniforms(const Light& light) {
    uploadLight(light.waterProgram, light, false);
}

void setReducedLightUniforms(const Light& light, std::uint32_t program) {
    uploadLight(program, light, false);
}
