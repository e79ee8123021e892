#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include <glm/glm.hpp>

// One OBJ position together with the single texture coordinate and normal the game keeps
// for it: the loader sums the normals of every corner using a position and takes the
// texture coordinate of the first, so a vertex here is exactly what the game will see.
struct MeshVertex {
    glm::vec3 position{0.0f};
    glm::vec2 uv{0.0f};
    glm::vec3 normal{0.0f, 1.0f, 0.0f};
};

// How a flat face gets its texture coordinates.
struct FaceUv {
    // Planar projection onto the face, one texture repeat every `repeat` units; the
    // u axis runs horizontally where the face allows, so walls keep the texture upright.
    static FaceUv projected(float repeat) { return {repeat, false}; }
    // The whole texture once across the face's corners, (0,0) (1,0) (1,1) (0,1) for a
    // quad, as on a crate.
    static FaceUv stretched() { return {1.0f, true}; }

    float repeat = 1.0f;
    bool wholeTexture = false;
};

// Collects vertices and counter-clockwise triangles. Flat faces always get vertices of
// their own: the game has no smoothing groups, so a position shared between faces with
// different normals would be shaded round.
class MeshBuilder {
public:
    std::uint32_t addVertex(const MeshVertex& vertex);
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    // Two triangles over vertices a b c d in order round the quad, wound so that the
    // quad faces the way the vertices' own normals point (the side backface culling keeps).
    void addQuadFacingNormals(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);

    // A planar convex polygon. The corner order is turned round if needed so that the
    // face looks along `outward` (only its sign relative to the face normal matters).
    void addFace(std::initializer_list<glm::vec3> corners, glm::vec3 outward, FaceUv uv);
    // A closed hexahedron from corners indexed x + 2y + 4z (bit set: the far side), for
    // boxes and for slanted blocks such as fan blades.
    void addHexahedron(const glm::vec3 (&corners)[8], FaceUv uv);
    void addBox(glm::vec3 min, glm::vec3 max, FaceUv uv);
    // Everything from `other`, moved by `transform` (normals by its rotation part). The
    // winding is kept, so a mirroring transform would turn the faces inside out.
    void append(const MeshBuilder& other, const glm::mat4& transform);

    const std::vector<MeshVertex>& vertices() const { return vertexList; }
    const std::vector<glm::uvec3>& triangles() const { return triangleList; }

private:
    std::vector<MeshVertex> vertexList;
    std::vector<glm::uvec3> triangleList;
};
