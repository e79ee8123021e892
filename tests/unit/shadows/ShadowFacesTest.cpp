// Where the six shadow maps look and what the texture matrices make of a point, and
// the culling statistics line: the frame's bookkeeping that needs no GL.
#include "camera/Frustum.h"
#include "core/Director.h"
#include "render/ShadowMaps.h"

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class ShadowFaces : public testing::Test {
protected:
    void SetUp() override {
        maps.setupMatrices();
        maps.aimLightViews(light);
        maps.updateTextureMatrices();
    }

    // s, t and depth in the map of a face, after the division by w.
    glm::vec3 mapped(std::size_t face, const glm::vec3& point) const {
        const glm::vec4 q = maps.textureMatrices[face] * glm::vec4(point, 1.0f);
        return glm::vec3(q) / q.w;
    }
    float w(std::size_t face, const glm::vec3& point) const {
        return (maps.textureMatrices[face] * glm::vec4(point, 1.0f)).w;
    }

    ShadowMaps maps;
    const glm::vec3 light{3.0f, 1.06f, -5.0f};
};

// How far from the centre of a map the edge of the 90 degrees around its direction
// lies: the maps see 91 degrees.
const float kQuarterTurnEdge = 0.5f / std::tan(glm::radians(45.5f));

} // namespace

TEST_F(ShadowFaces, EachMapLooksAlongItsAxisUpright) {
    const glm::vec3 directions[6] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                     {0, -1, 0}, {0, 0, 1},  {0, 0, -1}};
    for (std::size_t face = 0; face < 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const glm::vec3 d = directions[face];
        const glm::vec3 up = maps.faceUps[face];
        const glm::vec3 right = glm::cross(d, up);
        EXPECT_EQ(maps.faceDirections[face], d);
        EXPECT_EQ(glm::dot(up, d), 0.0f);

        // Straight ahead is the centre of the map, further is deeper.
        const glm::vec3 near = mapped(face, light + 2.0f * d);
        const glm::vec3 far = mapped(face, light + 40.0f * d);
        EXPECT_NEAR(near.x, 0.5f, 1e-5f);
        EXPECT_NEAR(near.y, 0.5f, 1e-5f);
        EXPECT_GT(near.z, 0.0f);
        EXPECT_LT(near.z, far.z);
        EXPECT_LT(far.z, 1.0f);

        // 45 degrees up and to the right lands just inside the corner of the map.
        const glm::vec3 corner = mapped(face, light + 5.0f * (d + up + right));
        EXPECT_NEAR(corner.x, 0.5f + kQuarterTurnEdge, 1e-5f);
        EXPECT_NEAR(corner.y, 0.5f + kQuarterTurnEdge, 1e-5f);

        // Behind the light the map sees nothing.
        EXPECT_LT(w(face, light - 3.0f * d), 0.0f);
    }
}

TEST_F(ShadowFaces, TheFurthestAxisPicksAMapThatHoldsThePoint) {
    // The lit pass picks per point the map with the largest w, which must be the
    // distance along that map's direction, and must hold the point well inside its
    // edge, so that filtering never reads across a seam.
    const float margin = 0.5f - kQuarterTurnEdge; // a little over four texels
    EXPECT_GT(margin * 512.0f, 4.0f);
    int checked = 0;
    for (float x = -6.0f; x <= 6.0f; x += 1.5f) {
        for (float y = -6.0f; y <= 6.0f; y += 1.25f) {
            for (float z = -6.0f; z <= 6.0f; z += 1.75f) {
                const glm::vec3 offset(x, y, z);
                const glm::vec3 point = light + offset;
                std::size_t best = 0;
                for (std::size_t face = 0; face < 6; ++face) {
                    EXPECT_NEAR(w(face, point), glm::dot(maps.faceDirections[face], offset), 1e-4f);
                    if (w(face, point) > w(best, point)) {
                        best = face;
                    }
                }
                const glm::vec3 s = mapped(best, point);
                EXPECT_LE(std::abs(s.x - 0.5f), kQuarterTurnEdge + 1e-5f)
                    << x << " " << y << " " << z;
                EXPECT_LE(std::abs(s.y - 0.5f), kQuarterTurnEdge + 1e-5f)
                    << x << " " << y << " " << z;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 500);
}

TEST(CullingText, SaysWhetherCullingIsOnAndCountsTheCharacter) {
    Director director("config/config.txt");
    const bool culling = director.frustum.frustumCulling;
    director.totalObjects = 43;
    director.renderedObjects = 18;
    director.frustum.frustumCulling = true;
    director.updateCullingText();
    EXPECT_EQ(director.cullingText, "Frustum on: Total Objects: 43 - Rendered Objects: 18");

    director.frustum.frustumCulling = false;
    director.totalObjects = 1;
    director.renderedObjects = 1;
    director.updateCullingText();
    EXPECT_EQ(director.cullingText, "Frustum off: Total Objects: 1 - Rendered Objects: 1");
    director.frustum.frustumCulling = culling;
}
