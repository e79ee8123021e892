#include "physics/engine/CookedFormat.h"

#include "physics/engine/Stream.h"

#include <cmath>

namespace physics::cooked {

bool readMesh(const Stream& stream, std::uint32_t tag, std::vector<glm::vec3>& vertices,
              std::vector<std::uint32_t>& indices) {
    if (stream.readDword() != tag || stream.readDword() != kVersion) {
        return false;
    }
    const std::uint32_t vertexCount = stream.readDword();
    const std::uint32_t triangleCount = stream.readDword();
    if (vertexCount == 0 || vertexCount > kMaxVertices || triangleCount == 0 ||
        triangleCount > kMaxTriangles) {
        return false;
    }
    vertices.resize(vertexCount);
    stream.readBuffer(vertices.data(), vertexCount * 12);
    indices.resize(std::size_t{triangleCount} * 3);
    stream.readBuffer(indices.data(), triangleCount * 12);
    if (stream.readDword() != kEndTag) {
        return false;
    }
    for (const glm::vec3& v : vertices) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
            return false;
        }
    }
    for (std::uint32_t index : indices) {
        if (index >= vertexCount) {
            return false;
        }
    }
    return true;
}

} // namespace physics::cooked
