#include "Lathe.h"

#include <cmath>

namespace {

constexpr float kTwoPi = 6.28318530718f;

// Outward normal of a profile segment, as (radial, vertical).
glm::vec2 segmentNormal(glm::vec2 from, glm::vec2 to) {
    const glm::vec2 along = to - from;
    return glm::normalize(glm::vec2(along.y, -along.x));
}

glm::vec3 around(glm::vec2 profilePoint, float angle) {
    return glm::vec3(profilePoint.x * std::cos(angle), profilePoint.y,
                     profilePoint.x * std::sin(angle));
}

glm::vec3 normalAround(glm::vec2 profileNormal, float angle) {
    return glm::normalize(glm::vec3(profileNormal.x * std::cos(angle), profileNormal.y,
                                    profileNormal.x * std::sin(angle)));
}

float angleOf(int column, int segments) {
    // The last column closes the seam exactly, whatever the rounding of 2 pi.
    return column == segments ? 0.0f : kTwoPi * static_cast<float>(column) / segments;
}

bool onAxis(glm::vec2 point) {
    return std::fabs(point.x) < 1e-6f;
}

// One strip of quads between two rings. A ring on the axis has one vertex per segment
// instead of one per column, and its quads become single triangles.
void stitch(MeshBuilder& mesh, std::uint32_t lower, std::uint32_t upper, int segments,
            bool lowerOnAxis, bool upperOnAxis) {
    for (int j = 0; j < segments; ++j) {
        const std::uint32_t a = lower + j, b = lower + j + 1;
        const std::uint32_t d = upper + j, c = upper + j + 1;
        if (lowerOnAxis) {
            mesh.addTriangle(a, d, c);
        } else if (upperOnAxis) {
            mesh.addTriangle(a, d, b);
        } else {
            mesh.addTriangle(a, d, c);
            mesh.addTriangle(a, c, b);
        }
    }
}

std::uint32_t ring(MeshBuilder& mesh, glm::vec2 point, glm::vec2 normal, float v, int segments,
                   const LatheUv& uv, bool axial) {
    const std::uint32_t first = static_cast<std::uint32_t>(mesh.vertices().size());
    // On the axis every vertex serves one triangle, so it takes that triangle's middle.
    const float shift = axial ? 0.5f : 0.0f;
    for (int j = 0; j < segments + (axial ? 0 : 1); ++j) {
        const float angle =
            axial ? kTwoPi * (static_cast<float>(j) + shift) / segments : angleOf(j, segments);
        const float u = uv.uRepeat * (static_cast<float>(j) + shift) / segments;
        mesh.addVertex({around(point, angle), {u, v}, normalAround(normal, angle)});
    }
    return first;
}

} // namespace

void Lathe::revolve(MeshBuilder& mesh, const std::vector<glm::vec2>& profile, int segments,
                    LatheShading shading, LatheUv uv) {
    if (profile.size() < 2) {
        return;
    }
    std::vector<float> vs{uv.vOffset};
    for (size_t i = 1; i < profile.size(); ++i) {
        vs.push_back(vs.back() + glm::length(profile[i] - profile[i - 1]) * uv.vScale);
    }

    if (shading == LatheShading::Smooth) {
        std::vector<std::uint32_t> rings;
        for (size_t i = 0; i < profile.size(); ++i) {
            glm::vec2 normal(0.0f);
            if (i > 0) {
                normal += segmentNormal(profile[i - 1], profile[i]);
            }
            if (i + 1 < profile.size()) {
                normal += segmentNormal(profile[i], profile[i + 1]);
            }
            // On the axis the only round normal is the axis itself.
            normal = onAxis(profile[i]) ? glm::vec2(0.0f, normal.y < 0.0f ? -1.0f : 1.0f)
                                        : glm::normalize(normal);
            rings.push_back(
                ring(mesh, profile[i], normal, vs[i], segments, uv, onAxis(profile[i])));
        }
        for (size_t i = 0; i + 1 < profile.size(); ++i) {
            stitch(mesh, rings[i], rings[i + 1], segments, onAxis(profile[i]),
                   onAxis(profile[i + 1]));
        }
        return;
    }

    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        const glm::vec2 from = profile[i], to = profile[i + 1];
        const glm::vec2 normal = segmentNormal(from, to);
        if (shading == LatheShading::Banded) {
            const std::uint32_t lower = ring(mesh, from, normal, vs[i], segments, uv, onAxis(from));
            const std::uint32_t upper = ring(mesh, to, normal, vs[i + 1], segments, uv, onAxis(to));
            stitch(mesh, lower, upper, segments, onAxis(from), onAxis(to));
            continue;
        }
        for (int j = 0; j < segments; ++j) {
            const float a0 = angleOf(j, segments), a1 = angleOf(j + 1, segments);
            const glm::vec3 p00 = around(from, a0), p01 = around(from, a1);
            const glm::vec3 p10 = around(to, a0), p11 = around(to, a1);
            const glm::vec3 facing =
                normalAround(normal, 0.5f * (a0 + (j + 1 == segments ? kTwoPi : a1)));
            if (onAxis(from)) {
                mesh.addFace({p00, p10, p11}, facing, FaceUv::stretched());
            } else if (onAxis(to)) {
                mesh.addFace({p00, p10, p01}, facing, FaceUv::stretched());
            } else {
                mesh.addFace({p00, p10, p11, p01}, facing, FaceUv::stretched());
            }
        }
    }
}

void Lathe::disc(MeshBuilder& mesh, float y, float radius, int segments, bool facingUp,
                 glm::vec2 uvCentre, float uvScale) {
    const glm::vec3 normal(0.0f, facingUp ? 1.0f : -1.0f, 0.0f);
    const std::uint32_t centre = mesh.addVertex({glm::vec3(0.0f, y, 0.0f), uvCentre, normal});
    for (int j = 0; j < segments; ++j) {
        const glm::vec3 p = around(glm::vec2(radius, y), angleOf(j, segments));
        mesh.addVertex({p, uvCentre + uvScale * glm::vec2(p.x, p.z), normal});
    }
    for (int j = 0; j < segments; ++j) {
        const std::uint32_t here = centre + 1 + j;
        const std::uint32_t next = centre + 1 + (j + 1) % segments;
        if (facingUp) {
            mesh.addTriangle(centre, next, here);
        } else {
            mesh.addTriangle(centre, here, next);
        }
    }
}
