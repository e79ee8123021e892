#pragma once

#include "render/InstanceData.h"
#include "render/RenderFrontEnd.h"

#include <cstdint>
#include <vector>

class Texture;

// The renderer's back end: runs what the front end planned. Each pass's instances go
// to the GPU in one upload; each batch is one instanced draw of its mesh's vertex
// array. The program, camera and pass state are the caller's.
class RenderBackEnd {
public:
    RenderBackEnd() = default;
    ~RenderBackEnd();
    RenderBackEnd(const RenderBackEnd&) = delete;
    RenderBackEnd& operator=(const RenderBackEnd&) = delete;

    // The two instance streams (depth pass, lit pass); needs the GL context.
    void create();
    void release();

    // Depth batches read their matrices from the depth stream, lit batches from the
    // lit one; each upload replaces the stream's whole content.
    void uploadDepthInstances(const std::vector<InstanceData>& instances);
    void uploadLitInstances(const std::vector<InstanceData>& instances);

    void drawDepthBatches(const std::vector<DrawBatch>& batches);
    // Binds each batch's texture on unit 0 with the player's filter (textures may be
    // null: the textures as they are) and switches blending per batch. Blending is
    // left as `blendingOn` says it was found.
    void drawLitBatches(const std::vector<DrawBatch>& batches, Texture* textures,
                        bool blendingOn);

    // Draw calls made so far (a batch is one, however many objects it holds).
    int draws = 0;

private:
    void upload(std::uint32_t stream, const std::vector<InstanceData>& instances);
    void drawBatch(const DrawBatch& batch);

    std::uint32_t depthStream = 0;
    std::uint32_t litStream = 0;
};
