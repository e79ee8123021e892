#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

// What one drawn object adds to an instanced draw: where it stands and its colours.
// The layout is the per-instance vertex stream (see VertexLayout.h), 112 bytes.
struct InstanceData {
    glm::mat4 model{1.0f};
    glm::vec4 ka{0.0f};
    glm::vec4 kd{0.0f};
    glm::vec4 ks{0.0f};
};

static_assert(sizeof(InstanceData) == 112, "the instance stream is tightly packed");
