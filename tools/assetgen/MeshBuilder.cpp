#include "MeshBuilder.h"

#include <algorithm>
#include <cmath>

namespace {

// Newell's method: robust for slightly bent quads, which slanted blades produce.
glm::vec3 polygonNormal(const std::vector<glm::vec3>& corners) {
    glm::vec3 sum(0.0f);
    for (size_t i = 0; i < corners.size(); ++i) {
        const glm::vec3& a = corners[i];
        const glm::vec3& b = corners[(i + 1) % corners.size()];
        sum += glm::vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x),
                         (a.x - b.x) * (a.y + b.y));
    }
    return glm::normalize(sum);
}

glm::vec2 projectedUv(glm::vec3 position, glm::vec3 normal, float repeat) {
    // Horizontal u axis on every face that is not itself horizontal.
    glm::vec3 uAxis(1.0f, 0.0f, 0.0f);
    if (std::fabs(normal.y) < 0.999f) {
        uAxis = glm::normalize(glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), normal));
    }
    const glm::vec3 vAxis = glm::cross(normal, uAxis);
    return glm::vec2(glm::dot(position, uAxis), glm::dot(position, vAxis)) / repeat;
}

glm::vec2 stretchedUv(size_t corner, size_t count) {
    if (count == 4) {
        constexpr glm::vec2 square[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        return square[corner];
    }
    // Other polygons: corners spread round the texture's inscribed circle.
    const float angle = 6.2831853f * static_cast<float>(corner) / static_cast<float>(count);
    return glm::vec2(0.5f + 0.5f * std::cos(angle), 0.5f + 0.5f * std::sin(angle));
}

} // namespace

std::uint32_t MeshBuilder::addVertex(const MeshVertex& vertex) {
    vertexList.push_back(vertex);
    return static_cast<std::uint32_t>(vertexList.size() - 1);
}

void MeshBuilder::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    triangleList.emplace_back(a, b, c);
}

void MeshBuilder::addQuadFacingNormals(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                       std::uint32_t d) {
    const glm::vec3& pa = vertexList[a].position;
    const glm::vec3 winding = glm::cross(vertexList[b].position - pa, vertexList[c].position - pa) +
                              glm::cross(vertexList[c].position - pa, vertexList[d].position - pa);
    const glm::vec3 normals =
        vertexList[a].normal + vertexList[b].normal + vertexList[c].normal + vertexList[d].normal;
    if (glm::dot(winding, normals) >= 0.0f) {
        addTriangle(a, b, c);
        addTriangle(a, c, d);
    } else {
        addTriangle(a, c, b);
        addTriangle(a, d, c);
    }
}

void MeshBuilder::addFace(std::initializer_list<glm::vec3> cornerList, glm::vec3 outward,
                          FaceUv uv) {
    std::vector<glm::vec3> corners(cornerList);
    glm::vec3 normal = polygonNormal(corners);
    if (glm::dot(normal, outward) < 0.0f) {
        std::reverse(corners.begin(), corners.end());
        normal = -normal;
    }
    const std::uint32_t first = static_cast<std::uint32_t>(vertexList.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        const glm::vec2 texCoord = uv.wholeTexture ? stretchedUv(i, corners.size())
                                                   : projectedUv(corners[i], normal, uv.repeat);
        addVertex({corners[i], texCoord, normal});
    }
    for (std::uint32_t i = 1; i + 1 < corners.size(); ++i) {
        addTriangle(first, first + i, first + i + 1);
    }
}

void MeshBuilder::addHexahedron(const glm::vec3 (&c)[8], FaceUv uv) {
    glm::vec3 centre(0.0f);
    for (const glm::vec3& corner : c) {
        centre += corner / 8.0f;
    }
    // Corner quads of the six sides, each walked round its edge.
    constexpr int sides[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                 {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
    for (const auto& side : sides) {
        const glm::vec3 middle = (c[side[0]] + c[side[1]] + c[side[2]] + c[side[3]]) / 4.0f;
        addFace({c[side[0]], c[side[1]], c[side[2]], c[side[3]]}, middle - centre, uv);
    }
}

void MeshBuilder::addBox(glm::vec3 min, glm::vec3 max, FaceUv uv) {
    glm::vec3 corners[8];
    for (int i = 0; i < 8; ++i) {
        corners[i] = glm::vec3(i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z);
    }
    addHexahedron(corners, uv);
}

void MeshBuilder::append(const MeshBuilder& other, const glm::mat4& transform) {
    const std::uint32_t offset = static_cast<std::uint32_t>(vertexList.size());
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(transform)));
    for (const MeshVertex& vertex : other.vertexList) {
        addVertex({glm::vec3(transform * glm::vec4(vertex.position, 1.0f)), vertex.uv,
                   glm::normalize(normalMatrix * vertex.normal)});
    }
    for (const glm::uvec3& triangle : other.triangleList) {
        triangleList.push_back(triangle + glm::uvec3(offset));
    }
}
