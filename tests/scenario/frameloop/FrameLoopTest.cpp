// The frame loop around the physics step, on a small level.
#include "../../support/GameFixture.h"
#include "physics/engine/Scene.h"
#include "platform/Keys.h"

#include <GLFW/glfw3.h>

namespace {
class FrameLoop : public GameFixture {
protected:
    FrameLoop() : GameFixture("../tests/data/levels/flat.txt") {}
};
} // namespace

TEST_F(FrameLoop, FirstStepIsTheWholeStartUpAndRunsUntilEscape) {
    // The first frame's step is the whole time since the timer started: a long
    // start-up reaches the physics as at most eight steps.
    platform.clock.set(4.0);
    EXPECT_TRUE(runFrame(*director));
    EXPECT_DOUBLE_EQ(director->dt, 4.0);
    EXPECT_EQ(director->physicsWorld->scene->getLastStepCount(), 8u);
    EXPECT_TRUE(director->appState->running);

    EXPECT_TRUE(frames(10));
    EXPECT_EQ(director->physicsWorld->scene->getLastStepCount(), 1u);

    platform.input.press(platform::key::Esc);
    EXPECT_FALSE(frames(1));
    EXPECT_FALSE(director->appState->running);
}

TEST_F(FrameLoop, StopsWhenTheWindowIsClosed) {
    platform.clock.set(1.0);
    EXPECT_TRUE(runFrame(*director));
    glfwSetWindowShouldClose(platform::window().handle(), GLFW_TRUE);
    EXPECT_FALSE(frames(1));
}

TEST_F(FrameLoop, CountsEveryObjectAndTheCharacter) {
    EXPECT_EQ(director->totalObjects, 5);
    EXPECT_EQ(director->world->levelLights.size(), 1u);
    EXPECT_TRUE(frames(3));
    EXPECT_EQ(director->cullingText.rfind("Frustum on: Total Objects: 5 - Rendered Objects: ", 0),
              0u)
        << director->cullingText;
}
