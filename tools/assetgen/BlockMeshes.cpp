#include "BlockMeshes.h"

#include <algorithm>

namespace {

constexpr int kSteps = 5;

} // namespace

MeshBuilder BlockMeshes::crate() {
    MeshBuilder mesh;
    mesh.addBox({-1, -1, -1}, {1, 1, 1}, FaceUv::stretched());
    return mesh;
}

MeshBuilder BlockMeshes::floorTile() {
    MeshBuilder mesh;
    mesh.addBox({-1, -0.25f, -1}, {1, 0.25f, 1}, FaceUv::projected(2.0f));
    return mesh;
}

MeshBuilder BlockMeshes::floorLarge() {
    MeshBuilder mesh;
    mesh.addBox({-24, -0.5f, -24}, {24, 0.5f, 24}, FaceUv::projected(4.0f));
    return mesh;
}

MeshBuilder BlockMeshes::ramp() {
    MeshBuilder mesh;
    const FaceUv uv = FaceUv::projected(2.0f);
    mesh.addFace({{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}, {0, -1, 0}, uv);
    mesh.addFace({{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}}, {0, 0, -1}, uv);
    mesh.addFace({{-1, 1, -1}, {1, 1, -1}, {1, -1, 1}, {-1, -1, 1}}, {0, 1, 1}, uv);
    for (float x : {-1.0f, 1.0f}) {
        mesh.addFace({{x, -1, -1}, {x, -1, 1}, {x, 1, -1}}, {x, 0, 0}, uv);
    }
    return mesh;
}

MeshBuilder BlockMeshes::stairs() {
    MeshBuilder mesh;
    const FaceUv uv = FaceUv::projected(2.0f);
    const float step = 2.0f / kSteps;
    for (int k = 0; k < kSteps; ++k) {
        const float front = 1.0f - step * k;
        const float back = front - step;
        const float top = -1.0f + step * (k + 1);
        const float below = top - step;
        mesh.addFace({{-1, top, back}, {1, top, back}, {1, top, front}, {-1, top, front}},
                     {0, 1, 0}, uv);
        mesh.addFace({{-1, below, front}, {1, below, front}, {1, top, front}, {-1, top, front}},
                     {0, 0, 1}, uv);
        // The sides are cut into one rectangle per step, so every piece stays convex.
        for (float x : {-1.0f, 1.0f}) {
            mesh.addFace({{x, -1, back}, {x, -1, front}, {x, top, front}, {x, top, back}},
                         {x, 0, 0}, uv);
        }
    }
    mesh.addFace({{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}}, {0, 0, -1}, uv);
    mesh.addFace({{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}, {0, -1, 0}, uv);
    return mesh;
}

MeshBuilder BlockMeshes::pillar() {
    MeshBuilder mesh;
    const FaceUv uv = FaceUv::projected(2.0f);
    mesh.addBox({-0.7f, -2.0f, -0.7f}, {0.7f, -1.7f, 0.7f}, uv);
    mesh.addBox({-0.5f, -1.7f, -0.5f}, {0.5f, 1.7f, 0.5f}, uv);
    mesh.addBox({-0.7f, 1.7f, -0.7f}, {0.7f, 2.0f, 0.7f}, uv);
    return mesh;
}

MeshBuilder BlockMeshes::sinkingPlatform() {
    MeshBuilder mesh;
    const FaceUv uv = FaceUv::projected(4.0f);
    constexpr float kHalf = 2.0f, kTop = 0.3f, kBottom = -0.3f, kChamfer = 0.15f;
    constexpr float kInner = kHalf - kChamfer, kShoulder = kTop - kChamfer;
    mesh.addFace({{-kInner, kTop, -kInner},
                  {kInner, kTop, -kInner},
                  {kInner, kTop, kInner},
                  {-kInner, kTop, kInner}},
                 {0, 1, 0}, uv);
    mesh.addFace({{-kHalf, kBottom, -kHalf},
                  {kHalf, kBottom, -kHalf},
                  {kHalf, kBottom, kHalf},
                  {-kHalf, kBottom, kHalf}},
                 {0, -1, 0}, uv);
    // Four sides, each a chamfer strip above a wall; built for +x and turned round.
    for (int side = 0; side < 4; ++side) {
        const glm::vec2 out = glm::vec2(side == 0   ? 1
                                        : side == 2 ? -1
                                                    : 0,
                                        side == 1   ? 1
                                        : side == 3 ? -1
                                                    : 0);
        const glm::vec2 along(-out.y, out.x);
        auto at = [&](float outward, float sideways, float y) {
            const glm::vec2 p = out * outward + along * sideways;
            return glm::vec3(p.x, y, p.y);
        };
        const glm::vec3 facing(out.x, 0.0f, out.y);
        mesh.addFace({at(kInner, -kInner, kTop), at(kInner, kInner, kTop),
                      at(kHalf, kHalf, kShoulder), at(kHalf, -kHalf, kShoulder)},
                     facing + glm::vec3(0, 1, 0), uv);
        mesh.addFace({at(kHalf, -kHalf, kShoulder), at(kHalf, kHalf, kShoulder),
                      at(kHalf, kHalf, kBottom), at(kHalf, -kHalf, kBottom)},
                     facing, uv);
    }
    return mesh;
}

MeshBuilder BlockMeshes::waterBlock() {
    MeshBuilder mesh;
    mesh.addBox({-2, -0.25f, -2}, {2, 0.25f, 2}, FaceUv::projected(4.0f));
    return mesh;
}

MeshBuilder BlockMeshes::waterPlane() {
    MeshBuilder mesh;
    mesh.addBox({-1, -0.05f, -1}, {1, 0.05f, 1}, FaceUv::projected(2.0f));
    return mesh;
}

MeshBuilder BlockMeshes::block() {
    MeshBuilder mesh;
    mesh.addBox({-4, -1, -4}, {4, 1, 4}, FaceUv::projected(4.0f));
    return mesh;
}

MeshBuilder BlockMeshes::column() {
    MeshBuilder mesh;
    mesh.addBox({-2, -8, -2}, {2, 8, 2}, FaceUv::projected(2.0f));
    return mesh;
}

MeshBuilder BlockMeshes::tower() {
    MeshBuilder mesh;
    mesh.addBox({-6, -9, -6}, {6, 9, 6}, FaceUv::projected(2.0f));
    return mesh;
}

MeshBuilder BlockMeshes::wall() {
    MeshBuilder mesh;
    mesh.addBox({-4, -1.5f, -0.5f}, {4, 1.5f, 0.5f}, FaceUv::projected(2.0f));
    return mesh;
}

MeshBuilder BlockMeshes::bridge() {
    MeshBuilder mesh;
    // The deck, and two low kerbs that mark its edges without stopping the flame.
    mesh.addBox({-1.5f, -0.2f, -8}, {1.5f, 0.2f, 8}, FaceUv::projected(2.0f));
    for (float side : {-1.0f, 1.0f}) {
        const float inner = 1.3f * side, outer = 1.5f * side;
        mesh.addBox({std::min(inner, outer), 0.2f, -8}, {std::max(inner, outer), 0.35f, 8},
                    FaceUv::projected(2.0f));
    }
    return mesh;
}
