#pragma once

#include <vector>

namespace platform {

// The game polls keys and buttons once a frame. A quick tap, pressed and released
// within one batch of events, would never be seen down by such a poll; the latch keeps
// every press of the latest batch, so that the frame after it sees the tap as one press.
// A key held across batches is down by its own state and gains nothing from this.
class PressLatch {
public:
    // A press arrived in the batch being processed.
    void record(int code) { arriving.push_back(code); }

    // The batch is over: its presses are latched until the next batch ends.
    void publish() {
        latched.swap(arriving);
        arriving.clear();
    }

    bool isLatched(int code) const {
        for (int latchedCode : latched) {
            if (latchedCode == code) {
                return true;
            }
        }
        return false;
    }

private:
    std::vector<int> arriving;
    std::vector<int> latched;
};

} // namespace platform
