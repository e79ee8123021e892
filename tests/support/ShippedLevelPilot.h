#pragma once

// A pilot for the shipped level: scripted input that runs the course from the start to
// the goal the way a player does.
#include "NewcomerPilot.h"
#include "PilotReadout.h"
#include "core/Director.h"
#include "platform/Keys.h"
#include "platform/ScriptedInput.h"

#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>

#include <cmath>
#include <cstddef>
#include <vector>

namespace shipped_level {

// One pixel of mouse motion with the right button held turns the flame this much.
constexpr float kDegreesPerPixel = 20.0f * glm::pi<float>() / 180.0f;

// Where the pilot goes next and how: walk there, stop and hop there from a standstill
// (a standing jump carries about 7 units, so it is the precise one), or run at it and
// jump one running jump short of it.
struct Waypoint {
    enum class Move { Walk, Hop, Leap };
    float x;
    float z;
    Move move = Move::Walk;
};

// The course as a player runs it: through the crate gate, up the ramp and steps onto the
// jetty, a running jump onto the first raft and one from the second onto the far
// platform, right across the bridge between the fans, down and through the wet stretch,
// up the steps and ramps to the landing and over the bridge to the goal on the tower.
const std::vector<Waypoint> kCourse = {
    {0, -20},
    {0, -46},
    {0, -56},
    {0, -94.5, Waypoint::Move::Leap},
    {0, -145, Waypoint::Move::Leap},
    {0, -149},
    {40, -149},
    {40, -100},
    {40, -50},
    {40, -29},
    {40, -8},
    {40, 2},
    {22, -1},
};

// The way as a newcomer takes it: walking, and jumping only at a run, from the end of the
// jetty onto the first raft and from the end of the second onto the far platform.
const std::vector<RouteStep> kNewcomerRoute = {
    {0, -20},
    {0, -46},
    {0, -94.5, RouteStep::Kind::Leap, 30.5},
    {0, -145, RouteStep::Kind::Leap, 31.5},
    {0, -149},
    {40, -149},
    {40, -100},
    {40, -50},
    {40, -29},
    {40, -8},
    {40, 2},
    {22, -1},
};

// Turns the flame with the mouse (right button held), walks with W and jumps with Space,
// reading back only what a player sees: where the flame is and where it faces.
class Pilot {
    static constexpr int kMouseY = 400;
    // How far a running jump carries from and to the same height.
    static constexpr float kRunningJump = 36.0f;

public:
    Pilot(Director& director, platform::ScriptedInput& input,
          std::vector<Waypoint> course = kCourse)
        : readout(director), input(input), course(std::move(course)) {}

    // The cursor goes to its place before the button is held, so that first move is not
    // taken as a turn (or a tilt of the view).
    void start() {
        input.moveMouse(mouseX, kMouseY);
        input.pressButton(platform::mouse::Right);
    }

    bool done() const { return next >= course.size(); }
    std::size_t waypoint() const { return next; }

    // Sets the keys for the coming frame.
    void steer() {
        if (done()) {
            input.release('W');
            return;
        }
        const Waypoint& goal = course[next];
        const glm::vec3 at = position();
        const glm::vec2 to(goal.x - at.x, goal.z - at.z);
        const float distance = glm::length(to);
        const float error = headingError(to);

        if (goal.move == Waypoint::Move::Hop) {
            hop(error);
            return;
        }
        if (goal.move == Waypoint::Move::Leap) {
            leap(distance, error);
            return;
        }
        // One step is 40/60 units: stop before a step would carry past the waypoint.
        if (distance < 0.7f) {
            input.release('W');
            ++next;
            return;
        }
        turn(error);
        hold('W', std::abs(error) < 8.0f);
    }

private:
    glm::vec3 position() const { return readout.position(); }
    float headingError(const glm::vec2& to) const { return readout.headingError(to); }

    // A motion event is used by the frame after it arrives: wait a frame between turns.
    void turn(float error) {
        if (turnPending) {
            turnPending = false;
            return;
        }
        const int pixels = static_cast<int>(std::lround(error / kDegreesPerPixel));
        if (pixels != 0) {
            mouseX -= pixels;
            input.moveMouse(mouseX, kMouseY);
            turnPending = true;
        }
    }

    void hold(int key, bool down) {
        if (down) {
            input.press(key);
        } else {
            input.release(key);
        }
    }

    void hop(float error) {
        switch (hopStage) {
        case 0: // stand, face the landing point, settle
            input.release('W');
            turn(error);
            settled = (std::abs(error) < 0.3f && readout.onTheGround()) ? settled + 1 : 0;
            if (settled > 3) {
                input.press(platform::key::Space);
                hopStage = 1;
            }
            break;
        case 1: // in the air: W picks the direction once, a fifth of the walking speed
            input.release(platform::key::Space);
            input.press('W');
            if (motor().jumping) {
                hopStage = 2;
            }
            break;
        default:
            if (!motor().jumping) {
                input.release('W');
                hopStage = 0;
                settled = 0;
                ++next;
            }
        }
    }

    // Runs at the landing point and jumps when it is a running jump away; a jump needs
    // W held since the frame before, or it is one from a standstill.
    void leap(float distance, float error) {
        if (!leaping) {
            const bool aligned = std::abs(error) < 8.0f;
            turn(error);
            if (aligned && running && distance <= kRunningJump && !motor().inAir) {
                input.press(platform::key::Space);
                leaping = true;
            }
            hold('W', aligned);
            running = aligned;
            return;
        }
        input.release(platform::key::Space);
        if (motor().jumping) {
            airborne = true;
        } else if (airborne) {
            input.release('W');
            leaping = airborne = running = false;
            ++next;
        }
    }

    const CharacterMotor& motor() const { return readout.motor(); }

    PilotReadout readout;
    platform::ScriptedInput& input;
    std::vector<Waypoint> course;
    std::size_t next = 0;
    int mouseX = 500;
    bool turnPending = false;
    int hopStage = 0;
    int settled = 0;
    bool running = false;
    bool leaping = false;
    bool airborne = false;
};

} // namespace shipped_level
