#pragma once

// A pilot that plays like somebody new to the game: no mouse, turning only with A and D,
// every key held for whole tenths of a second, and a new decision only every quarter of a
// second. It knows the way (a route of places to walk to and stones to leap onto) but not
// the game's numbers: it turns by eye, runs and jumps when the landing place looks near
// enough, and corrects as it goes. Whatever the level asks of it, a person can do.
#include "PilotReadout.h"
#include "platform/Keys.h"
#include "platform/ScriptedInput.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <vector>

struct RouteStep {
    enum class Kind {
        Walk, // walk on until close to (x, z)
        Leap  // run at (x, z), where to land, and jump before the edge `edge` short of it
    };
    float x;
    float z;
    Kind kind = Kind::Walk;
    float edge = 0.0f;
};

class NewcomerPilot {
public:
    static constexpr double kDecisionEvery = 0.25;
    static constexpr double kTenth = 0.1;

    NewcomerPilot(Director& director, platform::ScriptedInput& input, std::vector<RouteStep> route)
        : readout(director), input(input), route(std::move(route)) {}

    bool done() const { return next >= route.size(); }
    std::size_t step() const { return next; }
    int jumps() const { return jumpCount; }

    // Sets the keys for the coming frame, which lasts dt seconds.
    void steer(double dt) {
        releaseDue();
        if (now >= nextDecision - 1e-9) {
            decide();
            nextDecision += kDecisionEvery;
        }
        now += dt;
    }

private:
    // Walking with W held for a tenth carries about 4 units. Closer than this a place on
    // the way counts as passed; the last place must be reached.
    static constexpr float kPassed = 6.0f;
    static constexpr float kReached = 2.5f;
    // A tenth of A or D turns about 21 degrees: smaller errors are left alone.
    static constexpr float kTurnPerTenth = 3.4906585f * 60.0f * 0.1f;
    // Further off than this, the newcomer stops to turn instead of turning on the run.
    static constexpr float kStopToTurn = 60.0f;
    // A quarter of a second's run: the last decision before an edge comes this close.
    static constexpr float kJumpBefore = 10.0f;

    struct Hold {
        double pressedAt;
        double releaseAt;
    };

    void decide() {
        if (done()) {
            return;
        }
        if (!readout.onTheGround()) {
            return;
        }
        if (leaping) {
            leaping = false;
            ++next;
        }
        while (!done() && route[next].kind == RouteStep::Kind::Walk &&
               readout.distanceTo(route[next].x, route[next].z) <
                   (next + 1 == route.size() ? kReached : kPassed)) {
            ++next;
        }
        if (done()) {
            return;
        }
        const RouteStep& goal = route[next];
        const float distance = readout.distanceTo(goal.x, goal.z);
        const float error = readout.headingErrorTowards(goal.x, goal.z);
        const int turnTenths =
            std::min(2, static_cast<int>(std::lround(std::abs(error) / kTurnPerTenth)));
        if (turnTenths > 0) {
            keep(error > 0.0f ? 'A' : 'D', turnTenths);
        }
        if (std::abs(error) > kStopToTurn) {
            return; // W runs out at the end of its tenth
        }
        if (goal.kind == RouteStep::Kind::Leap) {
            // Only a jump taken while already running carries: W pressed together with
            // Space jumps from a standstill.
            // The next decision would come past the edge: jump now. In the air the jump
            // keeps its way, so W may go.
            if (held('W') && distance - goal.edge <= kJumpBefore) {
                keep(platform::key::Space, 1);
                leaping = true;
                ++jumpCount;
                return;
            }
            keep('W', 3);
            return;
        }
        // Close to the last place: short presses, about four units each tenth.
        const bool last = next + 1 == route.size();
        keep('W', last ? std::clamp(static_cast<int>(std::lround(distance / 4.0f)), 1, 3) : 3);
    }

    bool held(int key) const { return holds.count(key) != 0; }

    // Holds the key for at least `tenths` more, ending a whole number of tenths after it
    // went down.
    void keep(int key, int tenths) {
        const double until = now + tenths * kTenth;
        auto found = holds.find(key);
        if (found == holds.end()) {
            input.press(key);
            holds[key] = {now, until};
            return;
        }
        Hold& hold = found->second;
        if (until > hold.releaseAt) {
            const double length = std::ceil((until - hold.pressedAt) / kTenth - 1e-6) * kTenth;
            hold.releaseAt = hold.pressedAt + length;
        }
    }

    void releaseDue() {
        for (auto it = holds.begin(); it != holds.end();) {
            if (now >= it->second.releaseAt - 1e-9) {
                input.release(it->first);
                it = holds.erase(it);
            } else {
                ++it;
            }
        }
    }

    PilotReadout readout;
    platform::ScriptedInput& input;
    std::vector<RouteStep> route;
    std::size_t next = 0;
    std::map<int, Hold> holds;
    double now = 0.0;
    double nextDecision = 0.0;
    bool leaping = false;
    int jumpCount = 0;
};
