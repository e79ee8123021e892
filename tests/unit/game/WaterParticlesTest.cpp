// The water particle system without GL: capacity, lifetime, motion, the spread.
#include "game/WaterParticles.h"
#include "physics/PhysicsWorld.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

TEST(WaterParticles, OneUpdateFillsTheSystemAndNoneIsAddedUntilSomeDie) {
    std::srand(5);
    WaterParticles water({0.0f, 1.0f, 0.0f}, 5000, 0.5f, 3.0f, 1.0f);
    water.update(0.01);
    ASSERT_EQ(water.liveCount, WaterParticles::kCapacity);
    std::vector<float> seeds;
    for (int i = 0; i < water.liveCount; ++i) {
        seeds.push_back(water.drawList()[i].w);
    }
    water.update(0.01);
    ASSERT_EQ(water.liveCount, WaterParticles::kCapacity);
    for (int i = 0; i < water.liveCount; ++i) {
        ASSERT_EQ(water.drawList()[i].w, seeds[i]) << "the same particles, in order, at " << i;
    }
    // All die at once; a new full batch takes their place.
    water.update(5.0);
    EXPECT_EQ(water.liveCount, WaterParticles::kCapacity);
    EXPECT_NE(water.drawList()[0].w, seeds[0]);
}

TEST(WaterParticles, ALifetimeOfTwoLastsThreeHalfSecondUpdates) {
    WaterParticles water({1.0f, 0.0f, 0.0f}, 1, 0.0f, 2.0f, 1.0f);
    water.update(0.5);
    ASSERT_EQ(water.liveCount, 1) << "born";
    water.emitCount = 0;
    for (int i = 1; i <= 3; ++i) {
        water.update(0.5);
        EXPECT_EQ(water.liveCount, 1) << "update " << i << " after its birth";
    }
    water.update(0.5);
    EXPECT_EQ(water.liveCount, 0) << "its life is used up exactly";
}

TEST(WaterParticles, BornAtTheEmitterAndPulledDownByTheWorldsGravity) {
    PhysicsWorld world; // only its gravity is read
    const glm::mat4 model = glm::translate(glm::mat4(1.0f), {3.0f, 4.0f, 5.0f});
    // The direction is normalised; no spread, speed 2.
    WaterParticles water({0.0f, 3.0f, 0.0f}, 1, 0.0f, 10.0f, 2.0f);
    water.model = &model;
    water.physicsWorld = &world;
    water.update(0.5);
    const glm::vec4 born = water.drawList()[0];
    EXPECT_EQ(glm::vec3(born), glm::vec3(3.0f, 4.0f, 5.0f));
    EXPECT_GE(born.w, 0.0f);
    EXPECT_LE(born.w, 32767.0f);

    water.emitCount = 0;
    water.update(0.5);
    // Speed x dt along the direction, bent by the age (0.5 s) times gravity times dt.
    const glm::vec4 moved = water.drawList()[0];
    EXPECT_NEAR(moved.y, 4.0f + 1.0f * (1.0f + 0.5f * -29.43f * 0.5f), 1e-4f);
    EXPECT_FLOAT_EQ(moved.x, 3.0f);
    EXPECT_FLOAT_EQ(moved.z, 5.0f);
    EXPECT_EQ(moved.w, born.w) << "the random value rides along";
}

TEST(WaterParticles, TheSpreadNeverMakesANumberOfNothing) {
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    // All six draws equal: the plain direction.
    EXPECT_EQ(WaterParticles::startVelocity(up, 2.0f, glm::vec3(0.0f)), up);
    EXPECT_EQ(WaterParticles::startVelocity(up, 2.0f, {0.0f, 0.0f, -7.0f}),
              glm::vec3(0.0f, 1.0f, -2.0f));

    // An emitter without a direction sprays its spread only, in every direction.
    std::srand(9);
    WaterParticles water(glm::vec3(0.0f), 200, 1.5f, 1.0f, 1.0f);
    EXPECT_EQ(water.direction, glm::vec3(0.0f));
    water.update(0.1);
    water.update(0.1);
    ASSERT_EQ(water.liveCount, 400);
    for (int i = 0; i < 200; ++i) {
        const glm::vec3 p(water.drawList()[i]);
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << i;
        EXPECT_NEAR(glm::length(p), 0.1f * 1.5f, 1e-4f) << i;
    }
}
