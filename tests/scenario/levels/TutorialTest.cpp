// The first-steps level played by a newcomer: every lesson on the way is one a person
// new to the game gets through, and the level is safe, with nothing far to fall.
#include "../../support/CourseFixture.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/Victory.h"
#include "game/Water.h"

#include <cstdio>

namespace {

// Down the first straight, right at the wall, over the rail (its face at x = 19) with a
// running jump, through the upgrade and the pool, left and between the fans to the arch.
const std::vector<RouteStep> kTutorialRoute = {
    {0, -40},  {10, -40},  {48, -40, RouteStep::Kind::Leap, 29.0f}, {64, -40}, {90, -40},
    {90, -60}, {90, -110},
};

class Tutorial : public CourseFixture {
protected:
    Tutorial() : CourseFixture("levels/tutorial.txt") {}
};

} // namespace

TEST_F(Tutorial, ANewcomerGetsThroughEveryLessonToTheGoal) {
    // Each lesson has its object.
    (void)find<DoodadUpgrade>();
    (void)find<DoodadFan>();
    (void)find<Water>();
    (void)find<Victory>();
    const CourseRun run = playAsNewcomer(kTutorialRoute, 60.0);
    ASSERT_TRUE(run.won) << run;
    EXPECT_EQ(run.jumps, 1) << "the rail";
    EXPECT_GT(run.lowestFlame, 0.7) << "a safe place to learn in";
    std::printf("the tutorial run in %.1f s of game time, lowest flame %.2f\n", run.seconds,
                run.lowestFlame);
}

TEST_F(Tutorial, TheRailCannotBeWalkedOver) {
    // Without the jump the newcomer comes to the rail and stays in front of it.
    const CourseRun run = playAsNewcomer({{0, -40}, {10, -40}, {48, -40}}, 10.0);
    EXPECT_FALSE(run.won);
    EXPECT_LT(run.end.x, 19.0f) << "got past the rail";
    EXPECT_GT(run.end.x, 15.0f) << "never got to it";
}
