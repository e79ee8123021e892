#include "game/CourseTimer.h"

#include <cstdio>

void CourseTimer::update(double now, bool playerActed, bool runOver) {
    if (state == State::Waiting) {
        // A run already over before anything was pressed never starts.
        if (runOver || !playerActed) {
            return;
        }
        state = State::Running;
        startedAt = now;
    }
    if (state == State::Running) {
        elapsed = now - startedAt;
        if (runOver) {
            state = State::Stopped;
        }
        show();
    }
}

void CourseTimer::reset() {
    state = State::Waiting;
    startedAt = 0.0;
    elapsed = 0.0;
    show();
}

void CourseTimer::show() {
    // Tenths, always rounded down, so the line never shows a time not yet reached.
    char text[32];
    const long tenths = static_cast<long>(elapsed * 10.0 + 1e-9);
    std::snprintf(text, sizeof text, "Time: %ld.%ld", tenths / 10, tenths % 10);
    line = text;
}
