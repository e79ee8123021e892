#pragma once

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <string>

// One light block of the level file. Missing numbers stay 0.
struct LightDescription {
    std::string name; // only for the reader of the file; nothing uses it
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec4 color{0.0f, 0.0f, 0.0f, 0.0f};
    glm::vec4 ambientColor{0.0f, 0.0f, 0.0f, 0.0f};
    glm::vec4 specularColor{0.0f, 0.0f, 0.0f, 0.0f};
};
