#include "render/RenderFrontEnd.h"

#include "camera/Frustum.h"
#include "render/GpuMesh.h"

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include <algorithm>

namespace {

bool drawsMesh(const DrawRecord& record) {
    return record.mesh != nullptr && record.mesh->indexCount > 0;
}

std::uint64_t groupOf(const DrawRecord& record) {
    return (static_cast<std::uint64_t>(record.mesh->id) << 32) | record.texture;
}

// A model matrix that turns the mesh inside out (an odd number of negative scales).
bool isMirrored(const DrawRecord& record) {
    return glm::determinant(glm::mat3(record.model)) < 0.0f;
}

InstanceData instanceOf(const DrawRecord& record) {
    return {record.model, record.ka, record.kd, record.ks};
}

} // namespace

void RenderFrontEnd::measure(const std::vector<DrawRecord>& records) {
    bounds.resize(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const DrawRecord& record = records[i];
        bounds[i] = drawsMesh(record) ? sphereInWorld(record.model, record.mesh->boundsCentre,
                                                      record.mesh->boundsRadius)
                                      : Sphere{glm::vec3(record.model[3]), 0.0f};
    }
}

void RenderFrontEnd::planDepthPass(const std::vector<DrawRecord>& records,
                                   const std::array<glm::mat4, kFaces>& faceToClip) {
    depthInstances.clear();
    for (std::size_t face = 0; face < kFaces; ++face) {
        // Most objects lie in one or two of the six directions: the others would only
        // run their vertices through the pipeline to clip them all away.
        const std::array<glm::vec4, 6> planes = clipPlanes(faceToClip[face]);
        casters.clear();
        for (std::size_t i = 0; i < records.size(); ++i) {
            const DrawRecord& record = records[i];
            if (record.skipLitPasses || !drawsMesh(record) ||
                !isBoxInClipSpace(planes, faceToClip[face], record.model,
                                  record.mesh->boundingCorners.data(), bounds[i])) {
                continue;
            }
            casters.push_back((static_cast<std::uint64_t>(record.mesh->id) << 32) | i);
        }
        std::sort(casters.begin(), casters.end());

        std::vector<DrawBatch>& batches = depthBatches[face];
        batches.clear();
        for (const std::uint64_t caster : casters) {
            const DrawRecord& record = records[caster & 0xffffffffu];
            const bool mirrored = isMirrored(record);
            if (batches.empty() || batches.back().mesh != record.mesh ||
                batches.back().mirrored != mirrored) {
                batches.push_back({record.mesh, 0, false,
                                   static_cast<std::uint32_t>(depthInstances.size()), 0, mirrored});
            }
            ++batches.back().instanceCount;
            depthInstances.push_back(instanceOf(record));
        }
    }
}

void RenderFrontEnd::planLitPass(const std::vector<DrawRecord>& records, const glm::vec3& eye,
                                 bool blendingOn) {
    litObjects = 0;
    opaque.clear();
    seeThrough.clear();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const DrawRecord& record = records[i];
        if (record.skipLitPasses) {
            continue;
        }
        ++litObjects;
        if (!record.meshVisible || !drawsMesh(record)) {
            continue;
        }
        const glm::vec3 toEye = bounds[i].centre - eye;
        const SortItem item{groupOf(record), glm::dot(toEye, toEye), static_cast<std::uint32_t>(i),
                            isMirrored(record)};
        (record.seeThrough ? seeThrough : opaque).push_back(item);
    }

    litInstances.clear();
    litBatches.clear();
    // Opaque: by group (mirrored objects a group of their own), nearest first within it;
    // then the groups by their nearest object.
    const auto sameGroup = [](const SortItem& a, const SortItem& b) {
        return a.group == b.group && a.mirrored == b.mirrored;
    };
    std::sort(opaque.begin(), opaque.end(), [](const SortItem& a, const SortItem& b) {
        if (a.group != b.group) {
            return a.group < b.group;
        }
        if (a.mirrored != b.mirrored) {
            return b.mirrored;
        }
        return a.distance != b.distance ? a.distance < b.distance : a.record < b.record;
    });
    groupStarts.clear();
    for (std::size_t i = 0; i < opaque.size(); ++i) {
        if (i == 0 || !sameGroup(opaque[i], opaque[i - 1])) {
            groupStarts.push_back(static_cast<std::uint32_t>(i));
        }
    }
    std::stable_sort(groupStarts.begin(), groupStarts.end(), [&](std::uint32_t a, std::uint32_t b) {
        return opaque[a].distance < opaque[b].distance;
    });
    for (const std::uint32_t start : groupStarts) {
        const DrawRecord& first = records[opaque[start].record];
        litBatches.push_back({first.mesh, first.texture, false,
                              static_cast<std::uint32_t>(litInstances.size()), 0,
                              opaque[start].mirrored});
        for (std::size_t i = start; i < opaque.size() && sameGroup(opaque[i], opaque[start]); ++i) {
            litInstances.push_back(instanceOf(records[opaque[i].record]));
            ++litBatches.back().instanceCount;
        }
    }

    // See-through: furthest first; a draw takes in the next object while it can.
    std::stable_sort(seeThrough.begin(), seeThrough.end(),
                     [](const SortItem& a, const SortItem& b) { return a.distance > b.distance; });
    const std::size_t firstSeeThrough = litBatches.size();
    for (const SortItem& item : seeThrough) {
        const DrawRecord& record = records[item.record];
        if (litBatches.size() == firstSeeThrough || litBatches.back().mesh != record.mesh ||
            litBatches.back().texture != record.texture ||
            litBatches.back().mirrored != item.mirrored) {
            litBatches.push_back({record.mesh, record.texture, blendingOn,
                                  static_cast<std::uint32_t>(litInstances.size()), 0,
                                  item.mirrored});
        }
        ++litBatches.back().instanceCount;
        litInstances.push_back(instanceOf(record));
    }
}
