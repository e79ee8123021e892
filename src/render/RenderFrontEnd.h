#pragma once

#include "camera/Frustum.h"
#include "render/DrawRecord.h"
#include "render/InstanceData.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// One instanced draw: `instanceCount` objects of one mesh and texture, whose
// instances start at `firstInstance` in the pass's instance list.
struct DrawBatch {
    const GpuMesh* mesh = nullptr;
    std::uint32_t texture = 0;
    bool blend = false;
    std::uint32_t firstInstance = 0;
    std::uint32_t instanceCount = 0;
    // Its objects are mirrored (a negative scale): their triangles wind the other way
    // round on screen, so the back end turns the front face for the draw.
    bool mirrored = false;
};

// The renderer's front end: from the frame's draw records to what the back end
// executes, without a GL call. It culls each shadow face, sorts and groups the objects
// into instanced draws and lays out their instance data.
//
// The records come already culled to the view: the game updates only what is in
// view, and draws what it updated.
class RenderFrontEnd {
public:
    static constexpr std::size_t kFaces = 6;

    // Where each record's object lies: a sphere in the world around its mesh. Both
    // plans read it; call it again whenever the records change.
    void measure(const std::vector<DrawRecord>& records);

    // The shadow casters of each face: every record of the shadowed passes whose
    // bounds reach into the face (faceToClip: world to the face's clip space), one draw
    // per mesh. Within a draw the objects keep the order of the records.
    void planDepthPass(const std::vector<DrawRecord>& records,
                       const std::array<glm::mat4, kFaces>& faceToClip);
    // The lit pass: opaque objects first, one draw per mesh and texture, the draws and
    // the objects within them front to back from `eye` (the nearest surfaces fill the
    // depth buffer first, so most hidden fragments are never shaded). See-through
    // objects follow, back to front, so each is blended over everything behind it;
    // neighbours in that order with the same mesh and texture share a draw. Only
    // see-through draws blend, and only while `blendingOn`.
    void planLitPass(const std::vector<DrawRecord>& records, const glm::vec3& eye, bool blendingOn);

    std::vector<InstanceData> depthInstances;
    std::array<std::vector<DrawBatch>, kFaces> depthBatches;
    std::vector<InstanceData> litInstances;
    std::vector<DrawBatch> litBatches;
    // Records in the lit pass, whether or not they draw anything there.
    int litObjects = 0;

private:
    struct SortItem {
        std::uint64_t group; // mesh id and texture
        float distance;      // squared, from the eye
        std::uint32_t record;
        bool mirrored;
    };

    std::vector<Sphere> bounds; // each record's, in the world
    std::vector<std::uint64_t> casters;
    std::vector<SortItem> opaque;
    std::vector<SortItem> seeThrough;
    std::vector<std::uint32_t> groupStarts;
};
