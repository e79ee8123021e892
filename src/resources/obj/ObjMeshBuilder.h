#pragma once

#include "platform/PageBuffer.h"
#include "resources/obj/ObjPiece.h"

#include <glm/glm.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

class Mesh;

namespace obj {

// The steps after reading, each over all pieces at once: the pieces' lists copied into
// the mesh and their faces checked against the totals, then the indices and the vertex
// sums, shared out by vertex so that each vertex still adds its corners in file order.
class MeshBuilder {
public:
    MeshBuilder(Mesh& mesh, std::vector<Piece>& pieces);

    // The totals, and what comes before each piece; false when they do not fit.
    bool join();
    // Every array sized and filled from the pieces, and every face checked against the
    // totals, its indices made zero-based: jobs taken by the threads as they come free,
    // so that they also share the work of faulting the pages in. Then the first face
    // that cannot be drawn is reported.
    void fill();
    // Indices and vertex attributes; thread t writes the indices of every t-th piece and
    // sums the corners of the t-th share of the vertices.
    void build();

private:
    struct Corners;

    // Room for exactly `n`, in large pages where it can have them, taken at once.
    template <class Array> static void reserveFull(Array& array, std::size_t n);
    template <class Array> static void sized(Array& array, std::size_t n);
    // The pieces' lists of one kind, one after another: taken over when they all come
    // from one piece.
    template <class Array> void gather(Array& array, std::size_t n, Array Piece::*list);

    void checkFaces(Piece& piece);
    static void skip(Skips& skips, std::uint32_t line, Fault fault, std::int32_t index);
    // Makes the one-based indices of a face zero-based; returns the first that points
    // at nothing, still as written, or nullptr. They are checked corner by corner, v
    // before vt before vn.
    const std::int32_t* resolve(std::int32_t* number, const FaceRun& run) const;
    // The same for a face with negative indices, which count back from the last entry
    // read before the face: `inPiece` of its own piece after `before` of the ones before.
    const std::int32_t* resolve(std::int32_t* number, const FaceRun& run, const ReadCounts& inPiece,
                                const ReadCounts& before) const;
    void buildPart(std::size_t part, std::size_t parts);

    Mesh& mesh;
    std::vector<Piece>& pieces;
    std::int64_t triangles = 0;
    platform::PageBuffer<glm::vec3> unitNormals;
};

} // namespace obj
