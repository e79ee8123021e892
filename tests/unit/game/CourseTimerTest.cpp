// The course timer: it waits for the player, counts game time, stops when the run ends.
#include "game/CourseTimer.h"

#include <gtest/gtest.h>

TEST(CourseTimer, StartsWithThePlayersFirstMoveAndStopsWhenTheRunEnds) {
    CourseTimer timer;
    EXPECT_EQ(timer.text(), "Time: 0.0");
    timer.update(1.0, false, false);
    timer.update(5.0, false, false);
    EXPECT_EQ(timer.text(), "Time: 0.0") << "no input yet";
    timer.update(6.0, true, false);
    timer.update(7.25, false, false); // still running with the keys let go
    EXPECT_EQ(timer.text(), "Time: 1.2");
    timer.update(18.39, false, false);
    EXPECT_EQ(timer.text(), "Time: 12.3") << "tenths rounded down";
    timer.update(20.0, true, true);
    EXPECT_FALSE(timer.isRunning());
    EXPECT_DOUBLE_EQ(timer.seconds(), 14.0);
    timer.update(40.0, true, true);
    timer.update(41.0, true, false);
    EXPECT_EQ(timer.text(), "Time: 14.0") << "stays as the run ended";

    timer.reset();
    EXPECT_EQ(timer.text(), "Time: 0.0");
    timer.update(50.0, true, false);
    timer.update(50.3, false, false);
    EXPECT_EQ(timer.text(), "Time: 0.3");
}

TEST(CourseTimer, ARunOverBeforeAnyInputNeverStarts) {
    CourseTimer timer;
    timer.update(2.0, false, true);
    timer.update(3.0, true, true);
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.text(), "Time: 0.0");
}
