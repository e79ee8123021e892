#pragma once

#include "level/RecordTypes.h"

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <string>

// One object block of the level file, as written. Which fields matter depends on the
// record type; the loader decides what, if anything, to build from it.
struct ObjectDescription {
    std::string recordType;
    RecordKind kind = RecordKind::Unknown; // recordType as the reader resolved it
    std::string physicsType;
    std::string meshFile;
    std::string lowPolyMeshFile; // only for physics types other than "static"
    std::string textureFile;
    std::string materialFile;
    float density = 0.0f;
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec4 rotation{0.0f, 1.0f, 0.0f, 0.0f}; // x: angle in degrees; y, z, w: the axis
    glm::vec3 scale{1.0f, 1.0f, 1.0f};
    std::array<float, 7> params{}; // meaning depends on the record type

    bool operator==(const ObjectDescription&) const = default;
};
