// The shipped level built and torn down again and again in one process, the way a
// restart does it: each teardown leaves the physics scene empty, memory stays flat, and
// the last build plays like the first.
#include "../../support/CourseFixture.h"
#include "../../support/ResidentSet.h"
#include "../../support/ShippedLevelPilot.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/PhysicsSdk.h"

#include <cstdio>

namespace {

constexpr double kFrame = 1.0 / 60.0;

class Rebuild : public CourseFixture {
protected:
    Rebuild() : CourseFixture("config/config.txt") {}

    // The start a player sees: a long first frame (the loading), then 30 to land.
    void start() {
        frames(1, 0.5, FrameMode::SkipDrawing);
        frames(30, kFrame, FrameMode::SkipDrawing);
    }
};

} // namespace

TEST_F(Rebuild, TheShippedLevelIsBuiltAndTornDownAHundredTimes) {
    PhysicsWorld& physics = *director->physicsWorld;
    const std::size_t objects = director->world->entities.size();
    long afterTenth = 0;
    for (int build = 1; build <= 100; ++build) {
        // A few drawn frames, a step with the flame moving: every kind of GPU buffer
        // and physics state the level has is in use when it goes.
        platform.input.press('W');
        frames(3);
        platform.input.release('W');

        director->unloadWorld();
        ASSERT_EQ(physics.scene->getNbActors(), 0u) << "after teardown " << build;
        ASSERT_EQ(physics.sdk->getNbConvexMeshes() + physics.sdk->getNbTriangleMeshes(), 0u)
            << "cooked meshes left after teardown " << build;
        ASSERT_EQ(director->overlay->findLine("character"), nullptr)
            << "the flame's HUD line went with it";

        ASSERT_TRUE(director->loadWorld(levelPath));
        director->startWorld();
        ASSERT_EQ(director->world->entities.size(), objects);
        if (build == 10) {
            afterTenth = residentKiB();
        }
    }
    const long afterHundredth = residentKiB();
    std::printf("resident set after the 10th build %ld KiB, after the 100th %ld KiB (%+ld KiB)\n",
                afterTenth, afterHundredth, afterHundredth - afterTenth);
    if (kResidentSetMeansSomething) {
        EXPECT_LE(afterHundredth - afterTenth, 2048) << "KiB grown over 90 builds";
    }

    start();
    const CourseRun run = playAsPilot(shipped_level::kCourse, 150.0);
    EXPECT_TRUE(run.won) << run;
}
