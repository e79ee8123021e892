// The shipped level played through with scripted input on the virtual clock: a pilot
// that steers from waypoint to waypoint wins it, standing still loses it to the clock,
// walking into the pool loses it faster.
#include "../../support/CourseFixture.h"
#include "../../support/ShippedLevelPilot.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/Victory.h"
#include "game/Water.h"
#include "physics/engine/Actor.h"
#include "platform/Keys.h"
#include "render/TextOverlay.h"

#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

class ShippedLevelPlay : public CourseFixture {
protected:
    ShippedLevelPlay() : CourseFixture("config/config.txt") {}

    int waterWith(std::uint32_t program) const {
        int n = 0;
        for (const auto& entity : director->world->entities) {
            n += dynamic_cast<Water*>(entity.get()) && entity->program == program;
        }
        return n;
    }
};

} // namespace

TEST_F(ShippedLevelPlay, ThePilotRunsTheCourseToVictory) {
    EXPECT_GE(count<DoodadBox>(), 2);
    EXPECT_GE(count<DoodadFan>(), 2);
    EXPECT_GE(count<DoodadUpgrade>(), 3);
    EXPECT_GE(count<DoodadWater>(), 1);
    EXPECT_GE(waterWith(director->appState->waterProgram), 1) << "a water jet";
    EXPECT_GE(waterWith(director->appState->waterPlaneProgram), 1) << "a water plane";
    EXPECT_EQ(count<Victory>(), 1);

    const CourseRun run = playAsPilot(shipped_level::kCourse, 150.0);
    ASSERT_TRUE(run.won) << run;
    EXPECT_GT(run.end.y, 14.0f) << "the goal stands on the tower";
    EXPECT_GE(run.refills, 3) << "upgrades picked up on the way";
    EXPECT_EQ(sunkStones(), 2) << "the rafts sink once stepped on";

    frames(5);
    for (const char* line : {"v1", "v2", "v3"}) {
        EXPECT_TRUE(director->overlay->findLine(line)->visible) << line;
    }
    EXPECT_FALSE(director->overlay->findLine("go")->visible);
    EXPECT_DOUBLE_EQ(character().flame, 1.0);
    std::printf("course run in %.1f s of game time, lowest flame %.2f\n", run.seconds,
                run.lowestFlame);
}

TEST_F(ShippedLevelPlay, StandingStillTheFlameBurnsOutAfterAboutFiftyOneSeconds) {
    runUntilLocked(70.0);
    ASSERT_TRUE(character().locked);
    EXPECT_FALSE(character().victorious);
    // A hundredth every half second (every 31st frame at 60 frames a second).
    EXPECT_NEAR(platform.clock.now(), 51.7, 0.6);
    frames(2);
    EXPECT_TRUE(director->overlay->findLine("go")->visible);
    EXPECT_FALSE(director->overlay->findLine("v1")->visible);
}

TEST_F(ShippedLevelPlay, WalkingIntoThePoolPutsTheFlameOutFaster) {
    // Straight ahead past the end of platform B and on through the pool.
    platform.input.press('W');
    int drops = 0;
    double seconds = 0.0;
    double flameAtTen = -1.0;
    while (!character().locked && seconds < 60.0) {
        const double before = character().flame;
        frames(1, kPilotFrame, FrameMode::SkipDrawing);
        seconds += kPilotFrame;
        drops += character().flame < before;
        if (flameAtTen < 0.0 && seconds >= 10.0) {
            flameAtTen = character().flame;
        }
    }
    ASSERT_TRUE(character().locked);
    EXPECT_FALSE(character().victorious);
    // The clock alone takes a hundredth every half second; the water one every frame.
    EXPECT_GT(drops, seconds / 0.5 + 30) << "the water drains between the clock's steps";
    EXPECT_LT(director->world->character->actor->getGlobalPosition().y, 2.0f) << "down in the pool";
    // Standing still the flame would still be at about 0.8 after ten seconds.
    EXPECT_LT(seconds, 15.0);
    EXPECT_LT(flameAtTen, 0.5);
}

TEST_F(ShippedLevelPlay, ANewcomerFinishesTheCourse) {
    const CourseRun run = playAsNewcomer(shipped_level::kNewcomerRoute);
    ASSERT_TRUE(run.won) << run;
    EXPECT_EQ(run.jumps, 2) << "a running jump onto the rafts and one off them";
    std::printf("a newcomer ran the course in %.1f s of game time, lowest flame %.2f\n",
                run.seconds, run.lowestFlame);
}
