#include "render/GpuMesh.h"

#include "platform/Platform.h"
#include "render/VertexLayout.h"
#include "resources/Mesh.h"

#include <GL/glew.h>

#include <cstdint>
#include <unordered_map>

namespace {

const void* offset(std::uintptr_t bytes) { return reinterpret_cast<const void*>(bytes); }

// The meshes uploaded so far, by file; an entry lives as long as an object holds it.
std::unordered_map<std::string, std::weak_ptr<const GpuMesh>>& uploaded() {
    static std::unordered_map<std::string, std::weak_ptr<const GpuMesh>> meshes;
    return meshes;
}

std::uint32_t nextId = 0;

} // namespace

GpuMesh::GpuMesh(const Mesh& mesh)
    : vertexCount(mesh.vertexCount), indexCount(3 * mesh.faceCount),
      boundingCorners(mesh.boundingCorners), boundsCentre(mesh.boundsCentre),
      boundsRadius(mesh.boundsRadius), id(nextId++) {
    const auto n = static_cast<std::uintptr_t>(mesh.vertexCount);
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glGenBuffers(1, &indexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(32 * n), nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(12 * n), mesh.positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(12 * n), static_cast<GLsizeiptr>(12 * n),
                    mesh.vertexNormals.data());
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(24 * n), static_cast<GLsizeiptr>(8 * n),
                    mesh.vertexTexCoords.data());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, 12 * static_cast<GLsizeiptr>(mesh.faceCount),
                 mesh.indices.data(), GL_STATIC_DRAW);

    glEnableVertexAttribArray(vertex_layout::kVertex);
    glVertexAttribPointer(vertex_layout::kVertex, 3, GL_FLOAT, GL_FALSE, 0, offset(0));
    glEnableVertexAttribArray(vertex_layout::kNormal);
    glVertexAttribPointer(vertex_layout::kNormal, 3, GL_FLOAT, GL_FALSE, 0, offset(12 * n));
    glEnableVertexAttribArray(vertex_layout::kTexCoord);
    glVertexAttribPointer(vertex_layout::kTexCoord, 2, GL_FLOAT, GL_FALSE, 0, offset(24 * n));
    for (std::uint32_t i = 0; i < vertex_layout::kInstanceAttributes; ++i) {
        glEnableVertexAttribArray(vertex_layout::kModel + i);
        glVertexAttribDivisor(vertex_layout::kModel + i, 1);
    }
    // The element buffer stays with the vertex array; the array buffer binding does not.
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

GpuMesh::~GpuMesh() {
    // Once the window is gone, so are its buffers.
    if (!platform::window().handle()) {
        return;
    }
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
}

std::shared_ptr<const GpuMesh> GpuMesh::shared(const Mesh& mesh) {
    std::weak_ptr<const GpuMesh>& entry = uploaded()[mesh.fileName];
    std::shared_ptr<const GpuMesh> existing = entry.lock();
    if (existing && existing->vertexCount == mesh.vertexCount &&
        existing->indexCount == 3 * mesh.faceCount) {
        return existing;
    }
    auto made = std::make_shared<const GpuMesh>(mesh);
    entry = made;
    return made;
}
