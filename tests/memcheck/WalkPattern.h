#pragma once

#include "platform/Keys.h"
#include "platform/ScriptedInput.h"

// A walk that can go on for as long as a run needs: forward with a turn either way
// and a jump every two and a half seconds, over again every ten seconds (at 60
// frames a second). A jump and a turn come within the first hundred frames, for the
// short runs under a memory checker. Only the changes reach the input, as a player's
// keys would.
class WalkPattern {
public:
    static constexpr long kCycle = 600;

    explicit WalkPattern(platform::ScriptedInput& input) : input(input) {}

    // Sets the keys for the coming frame.
    void steer(long frame) {
        const long t = frame % kCycle;
        hold(forward, 'W', t < 540);
        hold(left, 'A', t >= 40 && t < 100);
        hold(right, 'D', t >= 330 && t < 420);
        // Pressed for one frame: a tap, not a held key.
        hold(jump, platform::key::Space, t % 150 == 20);
    }

private:
    void hold(bool& down, int key, bool wanted) {
        if (wanted == down) {
            return;
        }
        if (wanted) {
            input.press(key);
        } else {
            input.release(key);
        }
        down = wanted;
    }

    platform::ScriptedInput& input;
    bool forward = false;
    bool left = false;
    bool right = false;
    bool jump = false;
};
