// The shipped level played through with scripted input on the virtual clock: a pilot
// that steers from waypoint to waypoint wins it, standing still loses it to the clock,
// walking into the pool loses it faster.
#include "../support/GameFixture.h"
#include "game/DoodadBox.h"
#include "game/DoodadFan.h"
#include "game/DoodadUpgrade.h"
#include "game/DoodadWater.h"
#include "game/Victory.h"
#include "game/Water.h"
#include "input/InputState.h"
#include "physics/engine/Actor.h"
#include "platform/Keys.h"
#include "render/TextOverlay.h"

#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>

#include <cmath>
#include <vector>

namespace {

constexpr double kFrame = 1.0 / 60.0;
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
    glm::vec3 position() const { return director.character->actor->getGlobalPosition(); }

    // Degrees to turn to face along `to` (an x, z direction): positive to the left, the
    // way A and a mouse move to the left turn.
    float headingError(const glm::vec2& to) const {
        const glm::vec3 back = director.character->modelMatrix[2];
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
            settled = (std::abs(error) < 0.3f && !controlState.jumping && !controlState.inAir)
                          ? settled + 1
                          : 0;
            if (settled > 3) {
                input.press(platform::key::Space);
                hopStage = 1;
            }
            break;
        case 1: // in the air: W picks the direction once, a fifth of the walking speed
            input.release(platform::key::Space);
            input.press('W');
            if (controlState.jumping) {
                hopStage = 2;
            }
            break;
        default:
            if (!controlState.jumping) {
                input.release('W');
                hopStage = 0;
                settled = 0;
                ++next;
            }
        }
    }

    Director& director;
    platform::ScriptedInput& input;
    std::size_t next = 0;
    int mouseX = 500;
    bool turnPending = false;
    int hopStage = 0;
    int settled = 0;
};

class ShippedLevelPlay : public GameFixture {
protected:
    ShippedLevelPlay() : GameFixture("config/config.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
    }

    template <class T> int count() const {
        int n = 0;
        for (const auto& entity : director->entities) {
            n += dynamic_cast<T*>(entity.get()) != nullptr;
        }
        return n;
    }

    int waterWith(std::uint32_t program) const {
        int n = 0;
        for (const auto& entity : director->entities) {
            n += dynamic_cast<Water*>(entity.get()) && entity->program == program;
        }
        return n;
    }

    // Frames until the character is locked or the clock reads `seconds`.
    void runUntilLocked(double seconds) {
        while (!character().locked && platform.clock.now() < seconds) {
            frames(1, kFrame, FrameMode::SkipDrawing);
        }
    }

    Character& character() const { return *director->character; }
};

} // namespace

TEST_F(ShippedLevelPlay, ThePilotRunsTheCourseToVictory) {
    EXPECT_GE(count<DoodadBox>(), 3);
    EXPECT_GE(count<DoodadFan>(), 2);
    EXPECT_GE(count<DoodadUpgrade>(), 3);
    EXPECT_GE(count<DoodadWater>(), 1);
    EXPECT_GE(waterWith(director->appState->waterProgram), 1) << "a water jet";
    EXPECT_GE(waterWith(director->appState->waterPlaneProgram), 1) << "a water plane";
    EXPECT_EQ(count<Victory>(), 1);

    Pilot pilot(*director, platform.input);
    pilot.start();
    double lowest = character().flame;
    int refills = 0;
    double seconds = 0.0;
    while (!character().locked && seconds < 150.0) {
        pilot.steer();
        const double before = character().flame;
        frames(1, kFrame, FrameMode::SkipDrawing);
        seconds += kFrame;
        refills += character().flame > before;
        lowest = std::min(lowest, character().flame);
    }
    const glm::vec3 at = director->character->actor->getGlobalPosition();
    ASSERT_TRUE(character().victorious)
        << "stopped before waypoint " << pilot.waypoint() << " at " << at.x << " " << at.y << " "
        << at.z << " after " << seconds << " s, flame " << character().flame;
    EXPECT_GT(at.y, 18.0f) << "the goal stands on the high platform";
    EXPECT_GE(refills, 3) << "upgrades picked up on the way";
    int sunk = 0;
    for (const auto& entity : director->entities) {
        auto* stone = dynamic_cast<DoodadBox*>(entity.get());
        sunk += stone && stone->modelMatrix[3].y < stone->startHeight - 1.0f;
    }
    EXPECT_GE(sunk, 5) << "the stones sink once stepped on";

    frames(5);
    for (const char* line : {"v1", "v2", "v3"}) {
        EXPECT_TRUE(director->overlay->findLine(line)->visible) << line;
    }
    EXPECT_FALSE(director->overlay->findLine("go")->visible);
    EXPECT_DOUBLE_EQ(character().flame, 1.0);
    std::printf("course run in %.1f s of game time, lowest flame %.2f\n", seconds, lowest);
}

TEST_F(ShippedLevelPlay, StandingStillTheFlameBurnsOutAfterAboutFiftyOneSeconds) {
    runUntilLocked(70.0);
    ASSERT_TRUE(character().locked);
    EXPECT_FALSE(character().victorious);
    // A hundredth every half second (every 31st frame at 60 frames a second).
    EXPECT_NEAR(platform.clock.now(), 51.7, 0.6);
    frames(2);
    EXPECT_TRUE(director->overlay->findLine("go")->visible);
    EXPECT_FALSE(director->overlay->findLine("v1")->visible);
}

TEST_F(ShippedLevelPlay, WalkingIntoThePoolPutsTheFlameOutFaster) {
    // Straight ahead past the end of platform B and on through the pool.
    platform.input.press('W');
    int drops = 0;
    double seconds = 0.0;
    double flameAtTen = -1.0;
    while (!character().locked && seconds < 60.0) {
        const double before = character().flame;
        frames(1, kFrame, FrameMode::SkipDrawing);
        seconds += kFrame;
        drops += character().flame < before;
        if (flameAtTen < 0.0 && seconds >= 10.0) {
            flameAtTen = character().flame;
        }
    }
    ASSERT_TRUE(character().locked);
    EXPECT_FALSE(character().victorious);
    // The clock alone takes a hundredth every half second; the water one every frame.
    EXPECT_GT(drops, seconds / 0.5 + 30) << "the water drains between the clock's steps";
    EXPECT_LT(director->character->actor->getGlobalPosition().y, 2.0f) << "down in the pool";
    // Standing still the flame would still be at about 0.8 after ten seconds.
    EXPECT_LT(seconds, 15.0);
    EXPECT_LT(flameAtTen, 0.5);
}
