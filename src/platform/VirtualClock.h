#pragma once

#include "platform/Clock.h"

namespace platform {

// A clock that only moves when told to: tests and scripted runs step the game
// through exactly the frame times they want.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(double start = 0.0) : time(start) {}

    double now() const override { return time; }
    void set(double seconds) { time = seconds; }
    void advance(double seconds) { time += seconds; }

private:
    double time;
};

} // namespace platform
