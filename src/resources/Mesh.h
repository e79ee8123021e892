#pragma once

#include "resources/Visual.h"

#include <glm/glm.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One model read from an OBJ file into CPU-side arrays: one vertex per "v" line with
// a summed normal and the first texture coordinate used with it, a triangle index list,
// a copy of the positions for physics cooking and the corners of a bounding box that
// always holds the origin. Entities upload the arrays as they are and the cooker reads
// them with a 12-byte stride, so they stay tightly packed.
//
// Polygons are split into triangle fans; a face with a bad index or too few numbers is
// dropped and reported once per file. An unreadable file gives an empty mesh.
class Mesh final : public Visual {
public:
    // Reads and builds the whole mesh; there is no separate load step.
    explicit Mesh(const std::string& fileName);
    // The same load over text already in memory; `name` only labels the messages.
    static Mesh fromText(const std::string& name, std::string_view text);

    void release() override {}
    // Clears the per-vertex attributes that the faces fill in.
    void init() override;

    std::int32_t vertexCount = 0;
    std::int32_t normalCount = 0;
    std::int32_t texCoordCount = 0;
    // Triangles, after polygons are split and bad faces dropped.
    std::int32_t faceCount = 0;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> cookingPositions;
    // Sum of the unit normals of every triangle corner using the vertex; not normalised.
    std::vector<glm::vec3> vertexNormals;
    std::vector<glm::vec3> fileNormals;
    // The texture coordinate of the first corner using the vertex.
    std::vector<glm::vec2> vertexTexCoords;
    std::vector<glm::vec2> fileTexCoords;
    std::vector<std::uint8_t> texCoordSet;
    // One list per triangle: v vt vn three times (format 1) or v vn three times
    // (format 2), one-based, relative indices already resolved.
    std::vector<std::vector<int>> faces;
    std::vector<std::uint32_t> indices;
    // 1: corners written v/vt/vn, 2: v//vn; set by the first face line, 0 without one.
    int faceFormat = 0;
    // (min|max x, min|max y, min|max z, 1): 0 (-,-,+), 1 (+,-,+), 2 (-,+,+), 3 (+,+,+),
    // 4 (+,+,-), 5 (+,-,-), 6 (-,+,-), 7 (-,-,-).
    std::array<glm::vec4, 8> boundingCorners{};
    // The smallest sphere around that box: what culling tests first.
    glm::vec3 boundsCentre{0.0f};
    float boundsRadius = 0.0f;
    std::string fileName;

private:
    struct Text {};
    Mesh(const std::string& name, std::string_view text, Text);

    void load(std::string_view text);
    void buildVertexAttributes();
    void computeBounds();
};
