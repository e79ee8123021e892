#pragma once

// Frames per second, reported about once a second.
class FpsCounter {
public:
    // The rate over the time since the last report, once at least a second has
    // gone by; 0 in between. Reads the game clock.
    double computeFps();

private:
    double lastReport = -1.0;
    int frames = 0;
};
