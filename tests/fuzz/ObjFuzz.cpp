// OBJ meshes: whatever the text, the arrays must be what the renderer and the cooker
// are promised, since they read them without further checks.
#include "FuzzSupport.h"

#include "resources/Mesh.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Mesh mesh = Mesh::fromText("fuzz.obj", text);
    const auto vertices = static_cast<std::size_t>(mesh.vertexCount);
    FUZZ_CHECK(mesh.vertexCount >= 0 && mesh.faceCount >= 0);
    FUZZ_CHECK(mesh.positions.size() == vertices);
    FUZZ_CHECK(mesh.cookingPositions.size() == vertices);
    FUZZ_CHECK(mesh.vertexNormals.size() == vertices);
    FUZZ_CHECK(mesh.vertexTexCoords.size() == vertices);
    FUZZ_CHECK(mesh.texCoordSet.size() == vertices);
    FUZZ_CHECK(mesh.fileNormals.size() == static_cast<std::size_t>(mesh.normalCount));
    FUZZ_CHECK(mesh.fileTexCoords.size() == static_cast<std::size_t>(mesh.texCoordCount));
    FUZZ_CHECK(mesh.indices.size() == 3 * static_cast<std::size_t>(mesh.faceCount));
    for (const std::uint32_t index : mesh.indices) {
        FUZZ_CHECK(index < vertices);
    }
    // The box always holds the origin.
    const glm::vec4& low = mesh.boundingCorners[7];
    const glm::vec4& high = mesh.boundingCorners[3];
    FUZZ_CHECK(low.x <= 0.0f && low.y <= 0.0f && low.z <= 0.0f);
    FUZZ_CHECK(high.x >= 0.0f && high.y >= 0.0f && high.z >= 0.0f);

    // However the text is cut between threads, the mesh is the one read in one piece.
    const Mesh cut = Mesh::fromText("fuzz.obj", text, ObjReadSettings{3, 1});
    FUZZ_CHECK(cut.positions == mesh.positions && cut.fileNormals == mesh.fileNormals &&
               cut.fileTexCoords == mesh.fileTexCoords && cut.indices == mesh.indices);
    FUZZ_CHECK(cut.vertexNormals == mesh.vertexNormals &&
               cut.vertexTexCoords == mesh.vertexTexCoords && cut.texCoordSet == mesh.texCoordSet);
    return 0;
}
