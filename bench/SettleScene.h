// The settling scene that SettleBench runs on our layer and SettleBaseline on the
// collision engine alone: both must build and judge it alike for the times to compare.
#pragma once

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include <vector>

namespace settle {

constexpr int kBoxes = 500;
constexpr int kFrames = 300; // five seconds of 60 Hz frames
constexpr float kStep = 1.0f / 60.0f;
constexpr float kHalf = 0.5f;

inline std::vector<glm::vec3> cubeCorners() {
    std::vector<glm::vec3> corners;
    for (int i = 0; i < 8; ++i) {
        corners.emplace_back(i & 1 ? kHalf : -kHalf, i & 2 ? kHalf : -kHalf,
                             i & 4 ? kHalf : -kHalf);
    }
    return corners;
}

// Where box i starts: a 25 x 20 grid, staggered in height so they land over time.
inline glm::vec3 startOf(int i) {
    return glm::vec3(static_cast<float>(i % 25) * 1.5f - 18.0f, 1.0f + static_cast<float>(i % 7),
                     static_cast<float>(i / 25) * 1.5f - 15.0f);
}

// Both scenes must end alike: every box still on the plane.
inline int isResting(const glm::vec3& position, const glm::vec3& velocity) {
    return position.y < 1.0f && glm::length(velocity) < 0.5f ? 1 : 0;
}

} // namespace settle
