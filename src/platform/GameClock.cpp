#include "platform/GameClock.h"

namespace platform {

double GameClock::now() const {
    return (paused ? pausedAt : timer->now()) - stood;
}

void GameClock::pause() {
    if (!paused) {
        pausedAt = timer->now();
        paused = true;
    }
}

void GameClock::resume() {
    if (paused) {
        stood += timer->now() - pausedAt;
        paused = false;
    }
}

void GameClock::follow(const Clock& newTimer) {
    timer = &newTimer;
    stood = 0.0;
    pausedAt = 0.0;
    paused = false;
}

} // namespace platform
