#pragma once

#include "platform/PageBuffer.h"

#include <glm/glm.hpp>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// What one piece of an OBJ text holds once read, and what the mesh builder works out
// for it from the pieces before.
namespace obj {

// What a corner holds besides its position.
constexpr std::uint8_t kTexCoord = 1;
constexpr std::uint8_t kNormal = 2;

inline int numbersPerCorner(std::uint8_t form) {
    return 1 + (form & kTexCoord) + (form >> 1);
}

enum class Fault : std::uint8_t { None, TooFewCorners, MixedForms, BadIndex };

// Faces of a piece on consecutive lines, alike in corner count and form. Their numbers
// follow one another in the piece's `numbers`, as many per corner as the form has. A
// face with a fault found while reading, which keeps no numbers, or with negative
// indices is a run of its own.
struct FaceRun {
    std::uint32_t line = 0; // of the first face; the piece's first line is 1
    std::uint32_t faces = 0;
    std::uint32_t corners = 0;
    std::uint8_t form = 0;
    Fault fault = Fault::None;
    bool relative = false; // what it counts back from is in the piece's `relativeCounts`
};

// How many positions, texture coordinates and normals had been read at some point.
struct ReadCounts {
    std::int32_t positions = 0;
    std::int32_t texCoords = 0;
    std::int32_t normals = 0;
};

// The faces of a piece that cannot be drawn: how many, and why the first cannot.
struct Skips {
    std::int64_t count = 0;
    std::uint32_t line = 0;
    Fault fault = Fault::None;
    std::int32_t index = 0; // the bad index, as written
};

struct Piece {
    std::string_view text;
    // Read from the text, indices as written. The vectors become the mesh's own when
    // one piece holds all of a kind, as when a file lists its vertices first.
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> texCoords;
    std::vector<glm::vec3> normals;
    platform::PageBuffer<std::int32_t> numbers;
    platform::PageBuffer<FaceRun> runs;
    std::vector<ReadCounts> relativeCounts;
    std::int64_t triangles = 0; // of the faces without a fault
    std::uint32_t lines = 0;
    // Found once all pieces are read.
    ReadCounts before; // what the pieces before it read
    std::int64_t linesBefore = 0;
    std::size_t firstIndex = 0; // where its triangles start in the index list
    std::size_t indexCount = 0;
    Skips skips;
};

} // namespace obj
