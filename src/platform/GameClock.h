#pragma once

#include "platform/Clock.h"

namespace platform {

// The time the game plays in: the installed timer less every span the game stood
// paused. Drains, respawns, fan delays, particles and timed HUD lines read it, so a pause
// stops them all and they go on afterwards where they were.
class GameClock : public Clock {
public:
    explicit GameClock(const Clock& timer) : timer(&timer) {}

    double now() const override;

    void pause();
    void resume();
    bool isPaused() const { return paused; }
    // Another timer, the pauses forgotten: a test installing its own clock starts clean.
    void follow(const Clock& newTimer);

private:
    const Clock* timer;
    double stood = 0.0;    // seconds paused in all, not counting a pause under way
    double pausedAt = 0.0; // the timer's reading when the pause under way began
    bool paused = false;
};

} // namespace platform
