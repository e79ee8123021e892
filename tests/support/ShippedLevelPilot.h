#pragma once

// A pilot for the shipped level: scripted input that runs the course from the start to
// the goal the way a player does.
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

// Where the pilot goes next and how: walk there, or stop and hop there from a standstill
// (a standing jump carries about 7 units, so it is the precise one).
struct Waypoint {
    enum class Move { Walk, Hop };
    float x;
    float z;
    Move move = Move::Walk;
};

// The course as a player runs it: through the crate gate, up the ramp and steps, over
// the sinking stones and the block, across the bridge between the fans, down and through
// the wet stretch, up the ramp and from column to column to the goal. Each hop starts from the
// waypoint before it.
const std::vector<Waypoint> kCourse = {
    {0, -20},    {0, -46},
    {0, -60.8},  {0, -68, Waypoint::Move::Hop},
    {0, -70.5},  {0, -78, Waypoint::Move::Hop},
    {0, -80.5},  {0, -88, Waypoint::Move::Hop},
    {0, -90.5},  {0, -98, Waypoint::Move::Hop},
    {0, -101.1}, {0, -108.9, Waypoint::Move::Hop},
    {0, -110.4}, {0, -118.2, Waypoint::Move::Hop},
    {0, -119.7}, {0, -127, Waypoint::Move::Hop},
    {0, -127.6}, {0, -135, Waypoint::Move::Hop},
    {0, -137},   {40, -137},
    {40, -100},  {40, -50},
    {40, -23.7}, {40, -17, Waypoint::Move::Hop},
    {40, -15.7}, {40, -9, Waypoint::Move::Hop},
    {40, -7.7},  {40, -1, Waypoint::Move::Hop},
    {40, -1},    {32, -1, Waypoint::Move::Hop},
    {32, -1},    {25, -1, Waypoint::Move::Hop},
    {21, -1},
};

// Turns the flame with the mouse (right button held), walks with W and jumps with Space,
// reading back only what a player sees: where the flame is and where it faces.
class Pilot {
    static constexpr int kMouseY = 400;

public:
    Pilot(Director& director, platform::ScriptedInput& input) : director(director), input(input) {}

    // The cursor goes to its place before the button is held, so that first move is not
    // taken as a turn (or a tilt of the view).
    void start() {
        input.moveMouse(mouseX, kMouseY);
        input.pressButton(platform::mouse::Right);
    }

    bool done() const { return next >= kCourse.size(); }
    std::size_t waypoint() const { return next; }

    // Sets the keys for the coming frame.
    void steer() {
        if (done()) {
            input.release('W');
            return;
        }
        const Waypoint& goal = kCourse[next];
        const glm::vec3 at = position();
        const glm::vec2 to(goal.x - at.x, goal.z - at.z);
        const float distance = glm::length(to);
        const float error = headingError(to);

        if (goal.move == Waypoint::Move::Hop) {
            hop(error);
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
    glm::vec3 position() const { return director.world->character->actor->getGlobalPosition(); }

    // Degrees to turn to face along `to` (an x, z direction): positive to the left, the
    // way A and a mouse move to the left turn.
    float headingError(const glm::vec2& to) const {
        const glm::vec3 back = director.world->character->modelMatrix[2];
        const glm::vec2 facing = -glm::normalize(glm::vec2(back.x, back.z));
        const glm::vec2 want = glm::normalize(to);
        const float cross = facing.y * want.x - facing.x * want.y;
        return glm::degrees(std::atan2(cross, glm::dot(facing, want)));
    }

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
            settled =
                (std::abs(error) < 0.3f && !motor().jumping && !motor().inAir) ? settled + 1 : 0;
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

    const CharacterMotor& motor() const { return director.world->character->motor; }

    Director& director;
    platform::ScriptedInput& input;
    std::size_t next = 0;
    int mouseX = 500;
    bool turnPending = false;
    int hopStage = 0;
    int settled = 0;
};

} // namespace shipped_level
