#pragma once

#include <string>

#include <glm/glm.hpp>

// The three colours of one object. The shader multiplies the texture by these, so where
// the texture carries the colour the diffuse one stays near white.
struct MaterialColours {
    std::string description;
    glm::vec3 ambient{0.0f};
    glm::vec3 diffuse{0.0f};
    glm::vec3 specular{0.0f};
};

// Writes a material file with a comment line and the Ka, Kd and Ks lines only: the game
// reads any line whose second character is 'a', 'd' or 's' as a colour, so nothing else
// may go in.
class MaterialWriter {
public:
    static bool write(const std::string& path, const MaterialColours& colours);
};
