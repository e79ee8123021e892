// Projections and the view-frustum test.
#include "camera/Camera.h"
#include "camera/Frustum.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <array>

namespace {

void expectNear(const glm::mat4& a, const glm::mat4& b, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(a[c][r], b[c][r], tolerance) << "[" << c << "][" << r << "]";
        }
    }
}

// The unit cube's corners in the mesh's corner order, scaled by half extent h.
std::array<glm::vec4, 8> box(float h) {
    return {glm::vec4{-h, -h, h, 1}, {h, -h, h, 1},  {-h, h, h, 1},  {h, h, h, 1},
            {h, h, -h, 1},          {h, -h, -h, 1}, {-h, h, -h, 1}, {-h, -h, -h, 1}};
}

class FrustumTest : public testing::Test {
protected:
    void SetUp() override { frustum = Frustum{}; }
    void TearDown() override { frustum = Frustum{}; }
};

} // namespace

TEST(Projections, MatchTheClassicFormulas) {
    // Ortho for an odd-sized window: truncated half on the left, exact half on the right.
    expectNear(orthoMatrix(-511.0f, 511.5f, -384.0f, 384.0f, -0.1f, 0.1f),
               glm::ortho(-511.0f, 511.5f, -384.0f, 384.0f, -0.1f, 0.1f), 1e-6f);
    const glm::mat4 p = perspectiveMatrix(60.0f, 1024.0f / 768.0f, 0.1f, 1000.0f);
    expectNear(p, glm::perspective(glm::radians(60.0f), 1024.0f / 768.0f, 0.1f, 1000.0f), 1e-5f);
    EXPECT_FLOAT_EQ(p[2][3], -1.0f);
    EXPECT_FLOAT_EQ(p[3][3], 0.0f);
}

TEST_F(FrustumTest, IdentityMatricesSeeOnlyTheUnitCube) {
    frustum.frustumCulling = true;
    const auto corners = box(0.5f);
    EXPECT_TRUE(isInFrustum(glm::mat4(1.0f), corners.data()));
    EXPECT_TRUE(isInFrustum(glm::translate(glm::mat4(1.0f), {1.4f, 0, 0}), corners.data()))
        << "a box reaching into the cube counts as visible";
    EXPECT_FALSE(isInFrustum(glm::translate(glm::mat4(1.0f), {1.6f, 0, 0}), corners.data()));
    EXPECT_FALSE(isInFrustum(glm::translate(glm::mat4(1.0f), {0, 0, -3}), corners.data()));
}

TEST_F(FrustumTest, CameraViewCullsOnlyWhenAllCornersFailOnePlane) {
    frustum.frustumCulling = true;
    setCullingMatrices(perspectiveMatrix(60.0f, 4.0f / 3.0f, 0.1f, 1000.0f),
                       glm::lookAt(glm::vec3(0, 0, 0), {0, 0, -1}, {0, 1, 0}));
    const auto corners = box(1.0f);
    const auto at = [](float x, float y, float z) { return glm::translate(glm::mat4(1.0f), {x, y, z}); };
    EXPECT_TRUE(isInFrustum(at(0, 0, -10), corners.data()));
    EXPECT_FALSE(isInFrustum(at(0, 0, 10), corners.data())) << "behind the eye";
    EXPECT_FALSE(isInFrustum(at(0, 0, -2000), corners.data())) << "beyond the far plane";
    EXPECT_FALSE(isInFrustum(at(50, 0, -10), corners.data()));
    // Straddling the near plane is conservatively visible.
    EXPECT_TRUE(isInFrustum(at(0, 0, 0), corners.data()));

    frustum.frustumCulling = false;
    EXPECT_TRUE(isInFrustum(at(0, 0, 10), corners.data()));
}
