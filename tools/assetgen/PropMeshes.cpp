#include "PropMeshes.h"

#include <cmath>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "Lathe.h"

namespace {

constexpr float kPi = 3.14159265f;

void addBlade(MeshBuilder& fan, float turn) {
    constexpr float kRoot = 0.32f, kTip = 1.98f;
    constexpr float kRootChord = 0.6f, kTipChord = 1.3f, kThickness = 0.06f;
    constexpr float kPitch = 35.0f;
    const glm::mat4 place = glm::rotate(glm::mat4(1.0f), turn, glm::vec3(0, 1, 0)) *
                            glm::rotate(glm::mat4(1.0f), glm::radians(kPitch), glm::vec3(1, 0, 0));
    glm::vec3 corners[8];
    for (int i = 0; i < 8; ++i) {
        const float x = i & 1 ? kTip : kRoot;
        const float chord = i & 1 ? kTipChord : kRootChord;
        const glm::vec3 local(x, i & 2 ? 0.5f * kThickness : -0.5f * kThickness,
                              i & 4 ? 0.5f * chord : -0.5f * chord);
        corners[i] = glm::vec3(place * glm::vec4(local, 1.0f));
    }
    fan.addHexahedron(corners, FaceUv::projected(1.0f));
}

void addStrut(MeshBuilder& fan, float turn) {
    MeshBuilder strut;
    strut.addBox({0.4f, -0.34f, -0.04f}, {2.12f, -0.28f, 0.04f}, FaceUv::projected(1.0f));
    fan.append(strut, glm::rotate(glm::mat4(1.0f), turn, glm::vec3(0, 1, 0)));
}

} // namespace

MeshBuilder PropMeshes::fan() {
    MeshBuilder mesh;
    constexpr float kOuter = 2.3f, kInner = 2.05f, kHalfDepth = 0.35f;
    // The shroud: outer wall up, top rim in, inner wall down, bottom rim out.
    Lathe::revolve(mesh,
                   {{kOuter, -kHalfDepth},
                    {kOuter, kHalfDepth},
                    {kInner, kHalfDepth},
                    {kInner, -kHalfDepth},
                    {kOuter, -kHalfDepth}},
                   48, LatheShading::Banded, {6.0f, 0.5f, 0.0f});
    // The hub: a drum with a rounded nose facing +y.
    Lathe::revolve(mesh, {{0.42f, -0.38f}, {0.42f, 0.15f}}, 24, LatheShading::Banded,
                   {2.0f, 0.5f, 0.0f});
    Lathe::revolve(mesh,
                   {{0.42f, 0.15f}, {0.39f, 0.29f}, {0.3f, 0.4f}, {0.16f, 0.46f}, {0.0f, 0.48f}},
                   24, LatheShading::Smooth, {2.0f, 0.5f, 0.0f});
    Lathe::disc(mesh, -0.38f, 0.42f, 24, false, {0.5f, 0.5f}, 0.5f);
    for (int i = 0; i < 4; ++i) {
        addBlade(mesh, 0.5f * kPi * i);
        addStrut(mesh, 0.5f * kPi * i + 0.25f * kPi);
    }
    return mesh;
}

MeshBuilder PropMeshes::upgradeCrystal() {
    MeshBuilder mesh;
    // Pointed pavilion, a short girdle, then the crown up to a flat table.
    Lathe::revolve(mesh,
                   {{0.0f, -0.9f}, {0.55f, 0.05f}, {0.55f, 0.2f}, {0.33f, 0.55f}, {0.0f, 0.55f}}, 8,
                   LatheShading::Faceted, {});
    return mesh;
}

MeshBuilder PropMeshes::routeMarker() {
    MeshBuilder mesh;
    // A foot, a slim post, then the lantern: a six-sided head that flares out and in.
    Lathe::revolve(mesh,
                   {{0.0f, -1.0f},
                    {0.45f, -1.0f},
                    {0.45f, -0.85f},
                    {0.14f, -0.72f},
                    {0.14f, 0.3f},
                    {0.36f, 0.45f},
                    {0.36f, 0.85f},
                    {0.14f, 1.0f},
                    {0.0f, 1.0f}},
                   6, LatheShading::Faceted, {1.0f, 0.5f, 0.0f});
    return mesh;
}

MeshBuilder PropMeshes::goalArch() {
    MeshBuilder mesh;
    const FaceUv uv = FaceUv::projected(2.0f);
    mesh.addBox({-2.4f, 0.0f, -1.2f}, {2.4f, 0.3f, 1.2f}, uv);
    mesh.addBox({-2.0f, 0.3f, -0.9f}, {2.0f, 0.6f, 0.9f}, uv);
    for (float side : {-1.0f, 1.0f}) {
        const float inner = 1.4f * side, outer = 1.9f * side;
        mesh.addBox({std::min(inner, outer), 0.6f, -0.3f}, {std::max(inner, outer), 3.2f, 0.3f},
                    uv);
        const float plinthIn = 1.3f * side, plinthOut = 2.0f * side;
        mesh.addBox({std::min(plinthIn, plinthOut), 0.6f, -0.4f},
                    {std::max(plinthIn, plinthOut), 0.85f, 0.4f}, uv);
    }

    // The half ring over the posts: flat front and back, round inside and out.
    constexpr int kSteps = 18;
    constexpr float kInnerRadius = 1.4f, kOuterRadius = 1.9f, kHalfDepth = 0.3f, kSpring = 3.2f;
    for (float z : {-kHalfDepth, kHalfDepth}) {
        const glm::vec3 normal(0.0f, 0.0f, z > 0.0f ? 1.0f : -1.0f);
        std::vector<std::uint32_t> inner, outer;
        for (int k = 0; k <= kSteps; ++k) {
            const float angle = kPi * static_cast<float>(k) / kSteps;
            const glm::vec2 radial(std::cos(angle), std::sin(angle));
            const glm::vec3 in(kInnerRadius * radial.x, kSpring + kInnerRadius * radial.y, z);
            const glm::vec3 out(kOuterRadius * radial.x, kSpring + kOuterRadius * radial.y, z);
            inner.push_back(mesh.addVertex({in, glm::vec2(in.x, in.y) / 2.0f, normal}));
            outer.push_back(mesh.addVertex({out, glm::vec2(out.x, out.y) / 2.0f, normal}));
        }
        for (int k = 0; k < kSteps; ++k) {
            mesh.addQuadFacingNormals(inner[k], outer[k], outer[k + 1], inner[k + 1]);
        }
    }
    for (float radius : {kInnerRadius, kOuterRadius}) {
        const float facing = radius == kOuterRadius ? 1.0f : -1.0f;
        std::vector<std::uint32_t> front, back;
        for (int k = 0; k <= kSteps; ++k) {
            const float angle = kPi * static_cast<float>(k) / kSteps;
            const glm::vec3 normal(facing * std::cos(angle), facing * std::sin(angle), 0.0f);
            const float u = radius * angle / 2.0f;
            const glm::vec3 p(radius * std::cos(angle), kSpring + radius * std::sin(angle), 0.0f);
            front.push_back(mesh.addVertex({p + glm::vec3(0, 0, kHalfDepth), {u, 0.3f}, normal}));
            back.push_back(mesh.addVertex({p - glm::vec3(0, 0, kHalfDepth), {u, 0.0f}, normal}));
        }
        for (int k = 0; k < kSteps; ++k) {
            mesh.addQuadFacingNormals(front[k], back[k], back[k + 1], front[k + 1]);
        }
    }

    // A keystone block and the orb on it.
    const float crown = kSpring + kOuterRadius;
    mesh.addBox({-0.3f, crown - 0.12f, -0.38f}, {0.3f, crown + 0.15f, 0.38f}, uv);
    MeshBuilder orb;
    constexpr int kOrbRings = 8;
    constexpr float kOrbRadius = 0.35f;
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= kOrbRings; ++i) {
        const float angle = -0.5f * kPi + kPi * static_cast<float>(i) / kOrbRings;
        profile.emplace_back(kOrbRadius * std::cos(angle), kOrbRadius * std::sin(angle));
    }
    profile.front().x = profile.back().x = 0.0f;
    Lathe::revolve(orb, profile, 16, LatheShading::Smooth, {2.0f, 1.0f, 0.0f});
    mesh.append(orb, glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, crown + 0.15f + 0.3f, 0.0f)));
    return mesh;
}
