// The flame particle system without GL: aging, emission limits, draw order.
#include "camera/Camera.h"
#include "game/FlameParticles.h"
#include "../../support/PlatformFixture.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cstdlib>

TEST(FlameParticles, EmitAgeAndDieWithinTheirLife) {
    ScopedPlatform platform;
    std::srand(7);
    FlameParticles flame(8, 2.0f, 2.5f);
    const glm::mat4 model = glm::translate(glm::mat4(1.0f), {10.0f, 0.0f, -4.0f});
    flame.model = &model;

    flame.update(1.0 / 60.0);
    ASSERT_EQ(flame.liveCount, 8);
    for (int i = 0; i < flame.liveCount; ++i) {
        const glm::vec4 p = flame.drawList()[i];
        // Born on a sphere of radius 1/3 around the emission centre, upper half only.
        const glm::vec3 centre(10.0f, flame.emitHeight, -4.0f);
        EXPECT_NEAR(glm::length(glm::vec3(p) - centre), 1.0f / 3.0f, 0.02f);
        EXPECT_GE(p.y, centre.y - 0.02f);
        EXPECT_GT(p.w, 0.0f);
        EXPECT_LT(p.w, 2.0f + 1e-6f);
    }

    // Nothing new: everything alive ages, and all are gone after their 2 s at most.
    flame.emitCount = 0;
    flame.speed = 0.0f;
    flame.update(0.01);
    EXPECT_LE(flame.liveCount, 8);
    for (int step = 0; step < 30; ++step) {
        flame.update(0.1);
    }
    EXPECT_EQ(flame.liveCount, 0);
}

TEST(FlameParticles, NeverMoreThanCapacityAndLongFramesKill) {
    ScopedPlatform platform;
    std::srand(11);
    FlameParticles flame(500, 2.0f, 2.5f);
    for (int i = 0; i < 6; ++i) {
        flame.update(0.001);
    }
    EXPECT_EQ(flame.liveCount, FlameParticles::kCapacity) << "emission stops at capacity";

    // A frame longer than any life: all old particles die, only the new batch lives.
    flame.update(5.0);
    EXPECT_EQ(flame.liveCount, 500);
}

TEST(FlameParticles, DrawnBackToFrontForTheCamera) {
    ScopedPlatform platform;
    std::srand(3);
    Camera camera;
    // Looking down -Z from z = 20: the farthest particles have the smallest z.
    camera.view = glm::lookAt(glm::vec3(0, 1, 20), glm::vec3(0, 1, 0), glm::vec3(0, 1, 0));
    FlameParticles flame(200, 2.0f, 2.5f);
    flame.camera = &camera;
    flame.update(1.0 / 60.0);
    flame.update(1.0 / 60.0);
    ASSERT_GT(flame.liveCount, 300);
    for (int i = 1; i < flame.liveCount; ++i) {
        EXPECT_LE(flame.drawList()[i - 1].z, flame.drawList()[i].z + 1e-6f) << i;
    }
}

TEST(FlameParticles, EmissionHeightSwingsOnlyWithShortFrames) {
    ScopedPlatform platform;
    FlameParticles flame(0, 2.0f, 2.5f);
    platform.clock.set(1.0);
    flame.update(0.02);
    EXPECT_FLOAT_EQ(flame.emitHeight, 1.01f);
    flame.update(0.05); // frozen
    EXPECT_FLOAT_EQ(flame.emitHeight, 1.01f);
    platform.clock.set(7.5); // more than 2 s after the last reversal at 5.0
    flame.update(0.02);
    EXPECT_FALSE(flame.growing);
    EXPECT_FLOAT_EQ(flame.emitHeight, 1.0f);
}
