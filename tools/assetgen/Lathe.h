#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "MeshBuilder.h"

// Texture placement on a surface of revolution: u goes `uRepeat` times round the axis,
// v runs along the profile's length.
struct LatheUv {
    float uRepeat = 1.0f;
    float vScale = 1.0f;
    float vOffset = 0.0f;
};

enum class LatheShading {
    // Round about the axis and along the profile: barrels, domes, capsules.
    Smooth,
    // Round about the axis, but every profile segment is a band of its own with a hard
    // crease to the next: turned metal parts, rims, flanges.
    Banded,
    // Every quad flat: cut gems.
    Faceted,
};

// Surfaces of revolution about the Y axis, from a profile of (radius, height) points.
// The outside of the surface lies to the right of the profile's direction of travel in
// the (radius, height) plane: walk up an outer wall, down an inner one.
class Lathe {
public:
    static void revolve(MeshBuilder& mesh, const std::vector<glm::vec2>& profile, int segments,
                        LatheShading shading, LatheUv uv);
    // A flat disc at height `y`, facing up or down, mapped planar: uv = centre + scale * (x, z).
    static void disc(MeshBuilder& mesh, float y, float radius, int segments, bool facingUp,
                     glm::vec2 uvCentre, float uvScale);
};
