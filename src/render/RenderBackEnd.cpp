#include "render/RenderBackEnd.h"

#include "platform/Platform.h"
#include "render/GpuMesh.h"
#include "render/VertexLayout.h"
#include "resources/Texture.h"

#include <GL/glew.h>

#include <cstdint>

namespace {

// Points the per-instance attributes at the instance `first` of the bound stream.
void pointInstances(std::uint32_t first) {
    const std::uintptr_t start = static_cast<std::uintptr_t>(first) * sizeof(InstanceData);
    for (std::uint32_t i = 0; i < vertex_layout::kInstanceAttributes; ++i) {
        glVertexAttribPointer(vertex_layout::kModel + i, 4, GL_FLOAT, GL_FALSE,
                              sizeof(InstanceData), reinterpret_cast<const void*>(start + 16 * i));
    }
}

} // namespace

RenderBackEnd::~RenderBackEnd() {
    if (platform::window().handle()) {
        release();
    }
}

void RenderBackEnd::create() {
    glGenBuffers(1, &depthStream);
    glGenBuffers(1, &litStream);
}

void RenderBackEnd::release() {
    if (depthStream != 0) {
        glDeleteBuffers(1, &depthStream);
        glDeleteBuffers(1, &litStream);
    }
    depthStream = 0;
    litStream = 0;
}

void RenderBackEnd::upload(std::uint32_t stream, const std::vector<InstanceData>& instances) {
    glBindBuffer(GL_ARRAY_BUFFER, stream);
    // A new store each frame: the driver need not wait for the draws of the last one.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances.size() * sizeof(InstanceData)),
                 instances.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void RenderBackEnd::uploadDepthInstances(const std::vector<InstanceData>& instances) {
    upload(depthStream, instances);
}

void RenderBackEnd::uploadLitInstances(const std::vector<InstanceData>& instances) {
    upload(litStream, instances);
}

void RenderBackEnd::drawBatch(const DrawBatch& batch) {
    glBindVertexArray(batch.mesh->vertexArray);
    pointInstances(batch.firstInstance);
    // A mirrored object's outside winds clockwise on screen: whichever faces the pass
    // culls, it culls the same side of it as of every other object.
    if (batch.mirrored) {
        glFrontFace(GL_CW);
    }
    glDrawElementsInstanced(GL_TRIANGLES, batch.mesh->indexCount, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(batch.instanceCount));
    if (batch.mirrored) {
        glFrontFace(GL_CCW);
    }
    ++draws;
}

void RenderBackEnd::drawDepthBatches(const std::vector<DrawBatch>& batches) {
    if (batches.empty() || depthStream == 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, depthStream);
    for (const DrawBatch& batch : batches) {
        drawBatch(batch);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void RenderBackEnd::drawLitBatches(const std::vector<DrawBatch>& batches, Texture* textures,
                                   bool blendingOn) {
    if (batches.empty() || litStream == 0) {
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindBuffer(GL_ARRAY_BUFFER, litStream);
    bool blending = blendingOn;
    for (const DrawBatch& batch : batches) {
        glBindTexture(GL_TEXTURE_2D, batch.texture);
        if (textures) {
            textures->applyFilter(batch.texture);
        }
        if (batch.blend != blending) {
            batch.blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
            blending = batch.blend;
        }
        drawBatch(batch);
    }
    if (blending != blendingOn) {
        blendingOn ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
}
