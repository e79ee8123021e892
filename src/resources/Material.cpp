#include "resources/Material.h"

#include "platform/Diagnostics.h"
#include "platform/InputFile.h"

#include <sstream>

Material::Material(const std::string& fileName) : fileName(fileName) {
    const platform::InputFile file(fileName);
    if (!file.isOpen()) {
        file.reportUnopenable(fileName);
        return;
    }
    std::istringstream in{std::string(file.text())};
    read(in);
}

Material Material::fromText(const std::string& name, std::string_view text) {
    Material material(name, Text{});
    std::istringstream in{std::string(text)};
    material.read(in);
    return material;
}

std::optional<glm::vec4> Material::parseColor(std::string_view text) {
    std::istringstream in{std::string(text)};
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    if (in >> r >> g >> b) {
        return glm::vec4(r, g, b, 1.0f);
    }
    return std::nullopt;
}

std::optional<glm::vec4> Material::parseGrey(std::string_view text) {
    std::istringstream in{std::string(text)};
    float v = 0.0f;
    if (in >> v && (in >> std::ws).eof()) {
        return glm::vec4(v, v, v, 1.0f);
    }
    return std::nullopt;
}

// Only the second character is looked at, so "Ns 96 0 0" sets the specular colour too;
// a line without three readable numbers (a single Ns value, map_Kd) changes nothing,
// but for a colour keyword with a single number, the format's way of writing a grey.
void Material::read(std::istream& in) {
    std::string buffer;
    while (std::getline(in, buffer)) {
        const std::size_t start = buffer.find_first_not_of(" \t");
        if (start == std::string::npos) {
            continue;
        }
        const std::string_view line = std::string_view(buffer).substr(start);
        if (line.size() < 2) {
            continue;
        }
        glm::vec4* colour = nullptr;
        switch (line[1]) {
        case 'a':
            colour = &ka;
            break;
        case 'd':
            colour = &kd;
            break;
        case 's':
            colour = &ks;
            break;
        default:
            continue;
        }
        const std::string_view numbers = line.substr(2);
        if (const std::optional<glm::vec4> read = parseColor(numbers)) {
            *colour = *read;
            continue;
        }
        const bool colourKeyword =
            line[0] == 'K' && (numbers.empty() || numbers[0] == ' ' || numbers[0] == '\t');
        if (const std::optional<glm::vec4> grey =
                colourKeyword ? parseGrey(numbers) : std::nullopt) {
            *colour = *grey;
        }
    }
}
