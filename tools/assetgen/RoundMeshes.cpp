#include "RoundMeshes.h"

#include <cmath>
#include <vector>

#include "Lathe.h"

namespace {

constexpr float kPi = 3.14159265f;

// The barrel's bulge: radius 0.8 at the middle, 0.68 at the lids.
float barrelRadius(float y) {
    return 0.68f + 0.12f * (1.0f - y * y);
}

MeshBuilder barrelWith(int segments, int bands) {
    MeshBuilder mesh;
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= bands; ++i) {
        const float y = -1.0f + 2.0f * static_cast<float>(i) / bands;
        profile.emplace_back(barrelRadius(y), y);
    }
    // Twice round the staves texture; its hoops fall near the ends.
    Lathe::revolve(mesh, profile, segments, LatheShading::Smooth, {2.0f, 0.5f, 0.0f});
    // The lids take the middle of the staves texture, clear of the hoops.
    Lathe::disc(mesh, 1.0f, barrelRadius(1.0f), segments, true, {0.5f, 0.5f}, 0.3f);
    Lathe::disc(mesh, -1.0f, barrelRadius(-1.0f), segments, false, {0.5f, 0.5f}, 0.3f);
    return mesh;
}

} // namespace

MeshBuilder RoundMeshes::barrel() {
    return barrelWith(32, 8);
}

MeshBuilder RoundMeshes::barrelLowPoly() {
    return barrelWith(10, 2);
}

MeshBuilder RoundMeshes::characterCapsule() {
    constexpr float kRadius = 0.8f;
    constexpr float kHalfCylinder = 0.25f;
    constexpr int kRings = 6; // per half sphere
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= kRings; ++i) {
        const float angle = -0.5f * kPi + 0.5f * kPi * static_cast<float>(i) / kRings;
        profile.emplace_back(kRadius * std::cos(angle), -kHalfCylinder + kRadius * std::sin(angle));
    }
    for (int i = 0; i <= kRings; ++i) {
        const float angle = 0.5f * kPi * static_cast<float>(i) / kRings;
        profile.emplace_back(kRadius * std::cos(angle), kHalfCylinder + kRadius * std::sin(angle));
    }
    profile.front().x = profile.back().x = 0.0f; // exactly on the axis
    MeshBuilder mesh;
    Lathe::revolve(mesh, profile, 24, LatheShading::Smooth, {1.0f, 0.4f, 0.0f});
    return mesh;
}

MeshBuilder RoundMeshes::waterJetNozzle() {
    MeshBuilder mesh;
    // Up the outside from the foot's rim to the mouth, then down into the bore.
    const std::vector<glm::vec2> profile = {{0.55f, -1.0f}, {0.55f, -0.88f}, {0.45f, -0.8f},
                                            {0.2f, -0.8f},  {0.2f, -0.25f},  {0.32f, 0.0f},
                                            {0.25f, 0.0f},  {0.25f, -0.2f}};
    Lathe::revolve(mesh, profile, 20, LatheShading::Banded, {2.0f, 1.0f, 0.0f});
    Lathe::disc(mesh, -0.2f, 0.25f, 20, true, {0.5f, 0.5f}, 1.0f);
    Lathe::disc(mesh, -1.0f, 0.55f, 20, false, {0.5f, 0.5f}, 1.0f);
    return mesh;
}
