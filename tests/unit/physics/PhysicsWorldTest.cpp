// Start-up and stepping of the physics world.
#include "physics/PhysicsWorld.h"
#include "../../support/RecordedMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr float kStep = 1.0f / 60.0f;

// A unit box dropped from rest at height y0, far from anything.
physics::Actor* dropBox(physics::Scene& scene, float y0) {
    physics::ActorDesc desc;
    desc.globalPose = physics::Pose::fromTranslation({0.0f, y0, 0.0f});
    desc.body = physics::BodyDesc{};
    desc.density = 1.0f;
    desc.boxes.push_back(physics::BoxShapeDesc{{0.5f, 0.5f, 0.5f}});
    return scene.createActor(desc);
}

// Height after n fixed steps of semi-implicit Euler from rest.
double heightAfterSteps(double y0, double g, int n) {
    const double h = kStep;
    return y0 + g * h * h * n * (n + 1) / 2.0;
}

} // namespace

TEST(PhysicsWorldStartUp, DefaultsAndTheSoftwareSceneWithoutAWord) {
    PhysicsWorld world;
    EXPECT_EQ(world.gravity, glm::vec3(0.0f, -29.43f, 0.0f));
    EXPECT_FLOAT_EQ(world.skinWidth, 0.01f);
    EXPECT_EQ(world.scene, nullptr);

    RecordedMessages heard;
    ASSERT_TRUE(world.initPhysics());
    EXPECT_EQ(heard.take(), "") << "refusing the hardware scene must stay silent";

    ASSERT_NE(world.scene, nullptr);
    EXPECT_EQ(world.scene->getGravity(), world.gravity);
    EXPECT_FLOAT_EQ(world.sdk->getParameter(physics::SdkParameter::SkinWidth), 0.01f);
    physics::Material* material = world.scene->getMaterialFromIndex(0);
    ASSERT_NE(material, nullptr);
    EXPECT_FLOAT_EQ(material->getRestitution(), 0.5f);
    EXPECT_FLOAT_EQ(material->getStaticFriction(), 0.5f);
    EXPECT_FLOAT_EQ(material->getDynamicFriction(), 0.5f);
    EXPECT_EQ(world.scene->getMaterialFromIndex(1), nullptr);
}

TEST(PhysicsWorldStartUp, FailureNamesWhatFailed) {
    PhysicsWorld world;
    world.gravity.y = std::numeric_limits<float>::quiet_NaN(); // no scene accepts this

    RecordedMessages heard;
    EXPECT_FALSE(world.initPhysics());
    EXPECT_EQ(heard.take(), "Could not init physics: no physics scene could be created\n");
    EXPECT_EQ(world.scene, nullptr);
}

TEST(PhysicsSdk, RefusesHardwareScenesAndOtherVersions) {
    EXPECT_EQ(physics::createPhysicsSdk(0x02070000), nullptr);
    auto sdk = physics::createPhysicsSdk(physics::kSdkVersion);
    ASSERT_NE(sdk, nullptr);
    physics::SceneDesc desc;
    desc.simType = physics::SimulationType::Hardware;
    EXPECT_EQ(sdk->createScene(desc), nullptr);
    desc.simType = physics::SimulationType::Software;
    EXPECT_NE(sdk->createScene(desc), nullptr);
}

class PhysicsStepping : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.initPhysics());
        box = dropBox(*world.scene, 100.0f);
        ASSERT_NE(box, nullptr);
    }

    // One frame of the loop's contract: simulate, then the next frame's fetchResults.
    void frame(float dt) {
        world.scene->simulate(dt);
        world.scene->flushStream();
        ASSERT_TRUE(world.scene->fetchResults(physics::RigidBodyFinished, true));
    }

    PhysicsWorld world;
    physics::Actor* box = nullptr;
};

TEST_F(PhysicsStepping, FreeFallFollowsFixedSixtiethSteps) {
    const double g = world.gravity.y;
    // Frames of a 60 Hz display: one step each.
    for (int n = 1; n <= 30; ++n) {
        frame(kStep);
        EXPECT_EQ(world.scene->getLastStepCount(), 1u);
        EXPECT_NEAR(box->getGlobalPosition().y, heightAfterSteps(100.0, g, n), 1e-3) << n;
    }
    // A 30 Hz frame is two steps; two 120 Hz frames make one step between them.
    frame(2 * kStep);
    EXPECT_EQ(world.scene->getLastStepCount(), 2u);
    frame(kStep / 2);
    EXPECT_EQ(world.scene->getLastStepCount(), 0u);
    frame(kStep / 2);
    EXPECT_EQ(world.scene->getLastStepCount(), 1u);
    EXPECT_NEAR(box->getGlobalPosition().y, heightAfterSteps(100.0, g, 33), 1e-3);
    EXPECT_TRUE(box->isDynamic());
    EXPECT_FLOAT_EQ(box->getMass(), 1.0f);
}

TEST_F(PhysicsStepping, ALongFrameIsCutAtEightSteps) {
    frame(3.0f);
    EXPECT_EQ(world.scene->getLastStepCount(), 8u);
    EXPECT_NEAR(box->getGlobalPosition().y, heightAfterSteps(100.0, world.gravity.y, 8), 1e-3);

    // The dropped time is not made up later.
    frame(kStep);
    EXPECT_EQ(world.scene->getLastStepCount(), 1u);
}

TEST_F(PhysicsStepping, EmptyOrBrokenFramesStepNothing) {
    const float y0 = box->getGlobalPosition().y;
    frame(0.0f);
    frame(-1.0f);
    frame(std::numeric_limits<float>::infinity());
    frame(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(world.scene->getLastStepCount(), 0u);
    EXPECT_EQ(box->getGlobalPosition().y, y0);
}

TEST_F(PhysicsStepping, FetchWithoutAStepReturnsAtOnce) {
    // The loop's first frame fetches before any step was started.
    EXPECT_TRUE(world.scene->fetchResults(physics::RigidBodyFinished, true));
    EXPECT_TRUE(world.scene->fetchResults(physics::RigidBodyFinished, false));
}
