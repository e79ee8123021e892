#include "render/MeshDraw.h"

#include "render/GpuMesh.h"
#include "render/VertexLayout.h"
#include "resources/Texture.h"

#include <GL/glew.h>

#include <cstdint>

namespace {

// The per-vertex arrays, read from the mesh's buffer outside any vertex array object;
// the per-instance inputs are constant attributes for the one draw.
void drawWith(const GpuMesh& mesh, const InstanceData& instance, bool allAttributes) {
    if (mesh.indexCount <= 0) {
        return;
    }
    const auto n = static_cast<std::uintptr_t>(mesh.vertexCount);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    struct Block {
        std::uint32_t location;
        GLint components;
        std::uintptr_t offset;
    };
    const Block blocks[] = {{vertex_layout::kVertex, 3, 0},
                            {vertex_layout::kNormal, 3, 12 * n},
                            {vertex_layout::kTexCoord, 2, 24 * n}};
    const int used = allAttributes ? 3 : 1;
    for (int i = 0; i < used; ++i) {
        glEnableVertexAttribArray(blocks[i].location);
        glVertexAttribPointer(blocks[i].location, blocks[i].components, GL_FLOAT, GL_FALSE, 0,
                              reinterpret_cast<const void*>(blocks[i].offset));
    }
    for (int c = 0; c < 4; ++c) {
        glVertexAttrib4fv(vertex_layout::kModel + static_cast<std::uint32_t>(c),
                          &instance.model[c][0]);
    }
    glVertexAttrib4fv(vertex_layout::kAmbient, &instance.ka[0]);
    glVertexAttrib4fv(vertex_layout::kDiffuse, &instance.kd[0]);
    glVertexAttrib4fv(vertex_layout::kSpecular, &instance.ks[0]);
    glDrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_INT, nullptr);
    for (int i = 0; i < used; ++i) {
        glDisableVertexAttribArray(blocks[i].location);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace

void drawMeshNow(const GpuMesh& mesh, const InstanceData& instance, std::uint32_t texture,
                 Texture* filters) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (filters) {
        filters->applyFilter(texture);
    }
    drawWith(mesh, instance, true);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void drawMeshDepthNow(const GpuMesh& mesh, const glm::mat4& model) {
    InstanceData instance;
    instance.model = model;
    drawWith(mesh, instance, false);
}
