// The gauntlet, the second course, played through with scripted input on the virtual
// clock: the pilot wins it by running jumps over the big sinking stones and standing hops
// over the small ones and up the columns; standing still loses it to the clock, and a flame that
// walks where it should hop drowns.
#include "../../support/CourseFixture.h"
#include "../../support/ShippedLevelPilot.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/Victory.h"
#include "physics/engine/Actor.h"

#include <glm/glm.hpp>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using shipped_level::Waypoint;
constexpr auto Leap = Waypoint::Move::Leap;
constexpr auto Hop = Waypoint::Move::Hop;

// The gauntlet as a good player runs it: up onto the quay, four running jumps over the
// three big stones to the far landing, right along the fan bridge, right again and a
// standing hop onto each small stone, the foot of the columns, each column and the goal
// tower. Each hop lands about 7.5 on (7.2 when a unit higher), as the stones and columns
// are spaced.
const std::vector<Waypoint> kGauntletCourse = {
    {0, -36},           {0, -74, Leap},     {0, -112, Leap},    {0, -150, Leap},
    {0, -188, Leap},    {0, -192},          {60, -192},         {60, -189.5},
    {60, -182, Hop},    {60, -174.5, Hop},  {60, -167, Hop},    {60, -159.5, Hop},
    {60, -152, Hop},    {60, -148.5},       {60, -141.3f, Hop}, {60, -134.1f, Hop},
    {60, -126.9f, Hop}, {60, -119.7f, Hop}, {60, -112.5f, Hop}, {60, -105.3f, Hop},
    {60, -98.1f, Hop},  {60, -94.1f},
};

// The same way with every standing hop taken as a walk, the way a player who has only
// learnt the first course tries it.
std::vector<Waypoint> withoutHops() {
    std::vector<Waypoint> course = kGauntletCourse;
    for (Waypoint& step : course) {
        if (step.move == Hop) {
            step.move = Waypoint::Move::Walk;
        }
    }
    return course;
}

class Gauntlet : public CourseFixture {
protected:
    Gauntlet() : CourseFixture("levels/gauntlet.txt") {}
};

} // namespace

TEST_F(Gauntlet, ThePilotRunsTheCourseToVictory) {
    EXPECT_EQ(count<DoodadBox>(), 7);
    EXPECT_EQ(count<DoodadFan>(), 6);
    EXPECT_EQ(count<DoodadUpgrade>(), 3);
    EXPECT_EQ(count<Victory>(), 1);

    const CourseRun run = playAsPilot(kGauntletCourse, 90.0);
    ASSERT_TRUE(run.won) << run;
    EXPECT_GT(run.end.y, 11.0f) << "the goal stands on the tower";
    EXPECT_EQ(sunkStones(), 7) << "every stone sinks once stepped on";
    EXPECT_GE(run.refills, 3) << "the upgrades on the way";
    // Harder than the first course, but a good run has flame to spare.
    EXPECT_GT(run.lowestFlame, 0.4) << "no fan and no water touched on the way";
    std::printf("gauntlet run in %.1f s of game time, lowest flame %.2f\n", run.seconds,
                run.lowestFlame);
}

TEST_F(Gauntlet, StandingStillTheFlameBurnsOut) {
    runUntilLocked(70.0);
    ASSERT_TRUE(character().locked);
    EXPECT_FALSE(character().victorious);
    EXPECT_NEAR(platform.clock.now(), 51.7, 0.6);
}

// The hopping stones and the columns stand too far apart to walk and too close for a
// running jump: a flame that walks on where it should hop steps off the first stone into
// the second pool, never gets past the stones and burns out in the water long before the
// clock alone would put it out.
TEST_F(Gauntlet, WalkingWhereItShouldHopTheFlameDrownsAmongTheStones) {
    const CourseRun run = playAsPilot(withoutHops(), 60.0);
    ASSERT_TRUE(character().locked) << "still going at " << run.end.x << " " << run.end.z;
    EXPECT_FALSE(character().victorious);
    EXPECT_LT(run.end.y, 2.0f) << "down in the water";
    EXPECT_NEAR(run.end.x, 60.0f, 10.0f) << "in the second pool";
    EXPECT_LT(run.end.z, -154.0f) << "short of the foot of the columns";
    EXPECT_LT(run.seconds, 40.0);
    std::printf("walking on, the flame went out after %.1f s at %.1f %.1f %.1f\n", run.seconds,
                run.end.x, run.end.y, run.end.z);
}
