#pragma once

#include <string>

// The run's time on the HUD, "Time: 12.3": game time from the first frame in which the
// player moves or turns the flame until the flame reaches the goal or burns out. Then it
// stands, and stays shown, until a restart sets it back to 0.0.
class CourseTimer {
public:
    // Once a frame, with the game's time, whether the player's input moved, turned or
    // lifted the flame this frame, and whether the run has ended.
    void update(double now, bool playerActed, bool runOver);
    void reset();

    double seconds() const { return elapsed; }
    bool isRunning() const { return state == State::Running; }
    // The HUD line; the overlay shows it through a pointer, so it lives as long as the timer.
    const std::string& text() const { return line; }

private:
    enum class State { Waiting, Running, Stopped };

    void show();

    State state = State::Waiting;
    double startedAt = 0.0;
    double elapsed = 0.0;
    std::string line = "Time: 0.0";
};
