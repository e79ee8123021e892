#pragma once

#include <glm/vec3.hpp>

#include <cstdint>
#include <vector>

// Our cooked mesh bytes: a tag naming the mesh kind, the format version, the vertex
// and triangle counts, the vertices (x, y, z floats), the triangles (three 32-bit
// indices each) and an end tag. The end tag is how a reader notices bytes that ran
// out early: a bounded reader yields zeros past its end.
namespace physics {
class Stream;
}

namespace physics::cooked {

constexpr std::uint32_t kConvexTag = 0x58564E43;   // "CNVX"
constexpr std::uint32_t kTriangleTag = 0x4952544D; // "MTRI"
constexpr std::uint32_t kEndTag = 0x21444E45;      // "END!"
constexpr std::uint32_t kVersion = 1;

// Far beyond any level mesh; a count above these is a broken stream, and refusing it
// keeps a corrupt count from asking for gigabytes. The triangle limit is also what
// the collision engine's quantized bounding-volume tree can index.
constexpr std::uint32_t kMaxVertices = 1u << 22;
constexpr std::uint32_t kMaxTriangles = (1u << 21) - 1;

// Reads one mesh of the given kind. False when the bytes are not such a mesh: another
// tag or version, counts out of range, a coordinate that is not finite, an index past
// the vertices, or a missing end tag.
bool readMesh(const Stream& stream, std::uint32_t tag, std::vector<glm::vec3>& vertices,
              std::vector<std::uint32_t>& indices);

} // namespace physics::cooked
