#pragma once

#include "render/InstanceData.h"

#include <glm/mat4x4.hpp>

#include <cstdint>

class GpuMesh;
class Texture;

// One object drawn on its own, at once, with the mesh program the caller has made
// current: what an entity's own draw and drawDepth do. The frame's passes draw in
// batches instead (RenderBackEnd). Both leave the buffer and texture bindings as they
// were found, and draw nothing for a mesh without triangles. The texture is bound on
// unit 0 with the player's filter (`filters` may be null: the texture as it is).
void drawMeshNow(const GpuMesh& mesh, const InstanceData& instance, std::uint32_t texture,
                 Texture* filters);
// Positions only, for a depth program.
void drawMeshDepthNow(const GpuMesh& mesh, const glm::mat4& model);
