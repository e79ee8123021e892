// The whole frame loop in-process: the Director on a virtual clock with scripted input.
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "platform/Keys.h"
#include "../support/PlatformFixture.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

class FrameLoop : public testing::Test {
protected:
    void SetUp() override {
        testing::internal::CaptureStdout();
        director.init();
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override { director.cleanup(); }

    ScopedPlatform platform;
    Director director{"config/config.txt"};
};

TEST_F(FrameLoop, RunsUntilEscapeAndFeedsTheFrameStepToPhysics) {
    physics::ActorDesc desc;
    desc.globalPose = physics::Pose::fromTranslation({0.0f, 50.0f, 0.0f});
    desc.body = physics::BodyDesc{};
    desc.density = 1.0f;
    desc.boxes.push_back({{0.5f, 0.5f, 0.5f}});
    physics::Actor* box = director.physicsWorld->scene->createActor(desc);

    // The first frame's step is the whole time since the timer started: a long
    // start-up reaches the physics as at most eight steps.
    platform.clock.set(4.0);
    EXPECT_TRUE(runFrame(director));
    EXPECT_DOUBLE_EQ(director.dt, 4.0);
    EXPECT_EQ(director.physicsWorld->scene->getLastStepCount(), 8u);
    EXPECT_TRUE(director.appState->running);

    for (int frame = 1; frame <= 10; ++frame) {
        platform.clock.advance(1.0 / 60.0);
        EXPECT_TRUE(runFrame(director));
        EXPECT_EQ(director.physicsWorld->scene->getLastStepCount(), 1u);
    }
    // 18 steps started; the last one is only finished by the next frame's fetch.
    platform.input.press(platform::key::Esc);
    EXPECT_FALSE(runFrame(director));
    EXPECT_FALSE(director.appState->running);
    const double g = director.physicsWorld->gravity.y;
    const double h = 1.0 / 60.0;
    const int steps = 18;
    EXPECT_NEAR(box->getGlobalPosition().y, 50.0 + g * h * h * steps * (steps + 1) / 2, 1e-3);
}

TEST_F(FrameLoop, StopsWhenTheWindowIsClosed) {
    platform.clock.set(1.0);
    EXPECT_TRUE(runFrame(director));
    glfwSetWindowShouldClose(platform::window().handle(), GLFW_TRUE);
    platform.clock.advance(0.02);
    EXPECT_FALSE(runFrame(director));
}
