// The frame clock: the Director's time step and the frame-rate counter.
#include "../../support/PlatformFixture.h"
#include "core/Director.h"
#include "core/FpsCounter.h"

#include <gtest/gtest.h>

TEST(FpsCounter, ReportsOnceASecondAndZeroInBetween) {
    ScopedPlatform platform;
    FpsCounter counter;
    platform.clock.set(10.0);
    EXPECT_EQ(counter.computeFps(), 0.0); // the first call only starts the count

    for (int frame = 1; frame < 60; ++frame) {
        platform.clock.set(10.0 + frame / 60.0);
        EXPECT_EQ(counter.computeFps(), 0.0) << "frame " << frame;
    }
    platform.clock.set(11.0);
    // 61 calls since the count started, over exactly one second.
    EXPECT_DOUBLE_EQ(counter.computeFps(), 61.0);

    // The count starts again from the report.
    platform.clock.set(11.5);
    EXPECT_EQ(counter.computeFps(), 0.0);
    platform.clock.set(13.0);
    EXPECT_DOUBLE_EQ(counter.computeFps(), 2.0 / 2.0);
}

TEST(DirectorTiming, DtIsTheRawTimerDifferenceFirstFrameIncluded) {
    ScopedPlatform platform;
    Director director("config/config.txt");

    // The first frame's step is everything since the timer started, loading included.
    platform.clock.set(2.75);
    director.update();
    EXPECT_DOUBLE_EQ(director.dt, 2.75);

    // No clamp on either side: a stall of seconds and a zero step pass unchanged.
    platform.clock.set(6.25);
    director.update();
    EXPECT_DOUBLE_EQ(director.dt, 3.5);
    director.update();
    EXPECT_DOUBLE_EQ(director.dt, 0.0);
    EXPECT_DOUBLE_EQ(director.previousTime, 6.25);
}

TEST(DirectorTiming, FpsTextKeepsItsLastReportBetweenReports) {
    ScopedPlatform platform;
    Director director("config/config.txt");

    platform.clock.set(0.0);
    director.update();
    EXPECT_EQ(director.fpsText, "") << "nothing is reported before a second has gone by";

    // 60 frames counted over 1.001 s (the first one included): 59.9401 in the
    // stream's default six significant digits.
    for (int frame = 1; frame < 59; ++frame) {
        platform.clock.set(frame * (1.001 / 60.0));
        director.update();
    }
    platform.clock.set(1.001);
    director.update();
    EXPECT_EQ(director.fpsText, "Fps: 59.9401");

    platform.clock.set(1.2);
    director.update();
    EXPECT_EQ(director.fpsText, "Fps: 59.9401");
}
