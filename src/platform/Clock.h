#pragma once

namespace platform {

// The game's timer: seconds since the windowing library started. Everything that
// drains, respawns or oscillates reads it, so tests swap in a VirtualClock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
};

} // namespace platform
