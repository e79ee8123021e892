#pragma once

#include "resources/Visual.h"

#include <glm/glm.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How long each step of one OBJ load took, in seconds (the load benchmark prints them).
struct ObjReadSteps {
    double open = 0.0;  // mapping the file
    double split = 0.0; // cutting the text into pieces at line ends
    double parse = 0.0; // reading the pieces, each on a thread of its own
    double join = 0.0;  // the totals
    // Every array sized and filled from the pieces (with the cooking copy and the unit
    // normals), every index checked; the threads share the work
    double fill = 0.0;
    double attributes = 0.0; // the index list, the normal sums, the texture coordinates
    double bounds = 0.0;
    int pieces = 0;
};

// How a load shares its text between threads. A text is cut into at most `pieces`
// pieces (0: one per hardware thread, at most 16) of at least `minPieceBytes` each, so small files
// stay on the calling thread, where starting threads would cost more than they save.
// Whatever the cut, the mesh is the one a single reading gives; tests cut tiny texts
// into many pieces to show it.
struct ObjReadSettings {
    int pieces = 0;
    std::size_t minPieceBytes = std::size_t{1} << 20;
    // When set, receives the time of each step.
    ObjReadSteps* steps = nullptr;
};

// One model read from an OBJ file into CPU-side arrays: one vertex per "v" line with
// a summed normal and the first texture coordinate used with it, a triangle index list,
// a copy of the positions for physics cooking and the corners of a bounding box that
// always holds the origin. Entities upload the arrays as they are and the cooker reads
// them with a 12-byte stride, so they stay tightly packed.
//
// Each face is read in the form its corners are written in: "v", "v/vt", "v//vn" or
// "v/vt/vn"; polygons are split into triangle fans (0, i, i + 1). A face whose corners
// mix forms, has a bad index or fewer than three corners is dropped, and the first one
// is reported with the number of all dropped. Lines the game has no use for (groups,
// materials, smoothing, curves, anything unknown) are passed over; a backslash ending a
// line joins the next one to it, and a "#" after a line's numbers starts a comment. An
// unreadable file gives an empty mesh.
class Mesh final : public Visual {
public:
    // Reads and builds the whole mesh; there is no separate load step.
    explicit Mesh(const std::string& fileName, const ObjReadSettings& settings = {});
    // The same load over text already in memory; `name` only labels the messages.
    static Mesh fromText(const std::string& name, std::string_view text,
                         const ObjReadSettings& settings = {});

    void release() override {}
    // Clears the per-vertex attributes that the faces fill in.
    void init() override;

    // Lines read of each kind: "v", "vn", "vt".
    std::int32_t vertexCount = 0;
    std::int32_t normalCount = 0;
    std::int32_t texCoordCount = 0;
    // Triangles, after polygons are split and bad faces dropped.
    std::int32_t faceCount = 0;
    // x y z of each "v" line, in file order; a fourth number (w) or colours are ignored.
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> cookingPositions;
    // Per vertex, the sum of one unit normal for every triangle corner using it, not
    // normalised: the file's normal of that corner, or for a face written without
    // normals the triangle's own (counter-clockwise) normal. Degenerate ones add nothing.
    std::vector<glm::vec3> vertexNormals;
    // The "vn" and "vt" lines as written; faces refer to them.
    std::vector<glm::vec3> fileNormals;
    std::vector<glm::vec2> fileTexCoords;
    // Per vertex, the texture coordinate of the first corner using it that has one, and
    // 1 in `texCoordSet`; (0, 0) and 0 when no corner gives it one.
    std::vector<glm::vec2> vertexTexCoords;
    std::vector<std::uint8_t> texCoordSet;
    // Three zero-based vertex numbers per triangle, in file order.
    std::vector<std::uint32_t> indices;
    // (min|max x, min|max y, min|max z, 1): 0 (-,-,+), 1 (+,-,+), 2 (-,+,+), 3 (+,+,+),
    // 4 (+,+,-), 5 (+,-,-), 6 (-,+,-), 7 (-,-,-).
    std::array<glm::vec4, 8> boundingCorners{};
    // The smallest sphere around that box: what culling tests first.
    glm::vec3 boundsCentre{0.0f};
    float boundsRadius = 0.0f;
    std::string fileName;

private:
    struct Text {};
    Mesh(const std::string& name, std::string_view text, const ObjReadSettings& settings, Text);

    void load(std::string_view text, const ObjReadSettings& settings);
    void computeBounds();
};
