// Game time: the timer less the spans the game stood paused.
#include "platform/GameClock.h"
#include "platform/VirtualClock.h"

#include <gtest/gtest.h>

TEST(GameClock, StandsStillWhilePausedAndGoesOnWhereItStopped) {
    platform::VirtualClock timer(10.0);
    platform::GameClock game(timer);
    EXPECT_DOUBLE_EQ(game.now(), 10.0);
    game.pause();
    game.pause(); // a second pause changes nothing
    timer.advance(5.0);
    EXPECT_DOUBLE_EQ(game.now(), 10.0);
    game.resume();
    EXPECT_DOUBLE_EQ(game.now(), 10.0);
    timer.advance(1.0);
    EXPECT_DOUBLE_EQ(game.now(), 11.0);
    game.resume(); // not paused: nothing to take away
    game.pause();
    timer.advance(2.0);
    game.resume();
    timer.advance(0.5);
    EXPECT_DOUBLE_EQ(game.now(), 11.5);
}

TEST(GameClock, ANewTimerForgetsThePauses) {
    platform::VirtualClock first(3.0);
    platform::VirtualClock second(100.0);
    platform::GameClock game(first);
    game.pause();
    first.advance(2.0);
    game.follow(second);
    EXPECT_FALSE(game.isPaused());
    EXPECT_DOUBLE_EQ(game.now(), 100.0);
}
