// Projections and the view-frustum test.
#include "camera/Camera.h"
#include "camera/Frustum.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

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
    Frustum frustum;
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
    EXPECT_TRUE(frustum.isInFrustum(glm::mat4(1.0f), corners.data()));
    EXPECT_TRUE(frustum.isInFrustum(glm::translate(glm::mat4(1.0f), {1.4f, 0, 0}), corners.data()))
        << "a box reaching into the cube counts as visible";
    EXPECT_FALSE(frustum.isInFrustum(glm::translate(glm::mat4(1.0f), {1.6f, 0, 0}), corners.data()));
    EXPECT_FALSE(frustum.isInFrustum(glm::translate(glm::mat4(1.0f), {0, 0, -3}), corners.data()));
}

TEST_F(FrustumTest, CameraViewCullsOnlyWhenAllCornersFailOnePlane) {
    frustum.frustumCulling = true;
    frustum.setCullingMatrices(perspectiveMatrix(60.0f, 4.0f / 3.0f, 0.1f, 1000.0f),
                       glm::lookAt(glm::vec3(0, 0, 0), {0, 0, -1}, {0, 1, 0}));
    const auto corners = box(1.0f);
    const auto at = [](float x, float y, float z) { return glm::translate(glm::mat4(1.0f), {x, y, z}); };
    EXPECT_TRUE(frustum.isInFrustum(at(0, 0, -10), corners.data()));
    EXPECT_FALSE(frustum.isInFrustum(at(0, 0, 10), corners.data())) << "behind the eye";
    EXPECT_FALSE(frustum.isInFrustum(at(0, 0, -2000), corners.data())) << "beyond the far plane";
    EXPECT_FALSE(frustum.isInFrustum(at(50, 0, -10), corners.data()));
    // Straddling the near plane is conservatively visible.
    EXPECT_TRUE(frustum.isInFrustum(at(0, 0, 0), corners.data()));

    frustum.frustumCulling = false;
    EXPECT_TRUE(frustum.isInFrustum(at(0, 0, 10), corners.data()));
}

// The quick path of the box test (the view test and each shadow face use it) must give
// the box test's answer for every box, or the HUD's counts, what the game updates and
// what each map holds would change.
TEST_F(FrustumTest, TheQuickViewTestAlwaysAgreesWithTheBoxTest) {
    frustum.frustumCulling = true;
    frustum.setCullingMatrices(perspectiveMatrix(60.0f, 4.0f / 3.0f, 0.1f, 1000.0f),
                       glm::lookAt(glm::vec3(3, 2, 1), {3, 2, -1}, {0, 1, 0}));
    const std::array<glm::vec4, 6> planes =
        clipPlanes(frustum.cullProjection * frustum.cullView);
    // An off-centre box, as meshes whose bounds must hold the origin have.
    std::array<glm::vec4, 8> corners = box(1.0f);
    for (glm::vec4& corner : corners) {
        corner += glm::vec4(0.5f, 0.0f, 0.0f, 0.0f) * (corner.x > 0 ? 2.0f : 0.0f);
    }
    const glm::vec3 low(corners[7]), high(corners[3]);
    const glm::vec3 centre = 0.5f * (low + high);
    const float radius = 0.5f * glm::length(high - low);
    std::srand(11);
    const auto random = [](float range) {
        return range * (2.0f * static_cast<float>(std::rand()) / RAND_MAX - 1.0f);
    };
    int visible = 0;
    for (int i = 0; i < 20000; ++i) {
        const glm::vec3 at(random(60.0f), random(60.0f), random(120.0f) - 40.0f);
        const glm::mat4 model = glm::scale(
            glm::rotate(glm::translate(glm::mat4(1.0f), at), random(3.0f), {0, 1, 0}),
            glm::vec3(0.1f + std::abs(random(4.0f)), 0.1f + std::abs(random(4.0f)), 1.0f));
        const bool exact = frustum.isInFrustum(model, corners.data());
        ASSERT_EQ(frustum.isInFrustum(planes, model, corners.data(), centre, radius), exact)
            << "box at " << at.x << ", " << at.y << ", " << at.z;
        visible += exact ? 1 : 0;
    }
    EXPECT_GT(visible, 1000);
    EXPECT_LT(visible, 19000);

    // A shadow face: near 0.001, a quarter turn and a degree wide.
    const glm::mat4 face = perspectiveMatrix(91.0f, 1.0f, 0.001f, 1000.0f) *
                           glm::lookAt(glm::vec3(1, 2, 3), glm::vec3(1, 1, 3), {0, 0, -1});
    const std::array<glm::vec4, 6> facePlanes = clipPlanes(face);
    int inFace = 0;
    for (int i = 0; i < 20000; ++i) {
        const glm::vec3 at(random(30.0f), random(30.0f), random(30.0f));
        const glm::mat4 model =
            glm::scale(glm::translate(glm::mat4(1.0f), at), glm::vec3(0.2f + std::abs(random(3.0f))));
        const bool exact = isBoxInClipSpace(face * model, corners.data());
        ASSERT_EQ(isBoxInClipSpace(facePlanes, face, model, corners.data(),
                                   sphereInWorld(model, centre, radius)),
                  exact)
            << "box at " << at.x << ", " << at.y << ", " << at.z;
        inFace += exact ? 1 : 0;
    }
    EXPECT_GT(inFace, 1000) << "about a sixth of the boxes lie below the light";
    EXPECT_LT(inFace, 19000);
}
