#pragma once

// A level played from start to finish on the virtual clock: by the waypoint pilot at 60
// frames a second, or by a scripted newcomer at 20.
#include "GameFixture.h"
#include "NewcomerPilot.h"
#include "ShippedLevelPilot.h"
#include "game/DoodadBox.h"
#include "physics/engine/Actor.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

// How a run of a level went.
struct CourseRun {
    bool won = false;
    double seconds = 0.0;
    double lowestFlame = 1.0;
    int refills = 0;      // frames in which the flame grew: upgrades taken
    int jumps = 0;        // the newcomer's
    std::size_t step = 0; // the route step or waypoint the pilot was on at the end
    glm::vec3 end{0.0f};
};

// Where a run ended, for the failure message.
inline std::ostream& operator<<(std::ostream& out, const CourseRun& run) {
    return out << "stopped on route step " << run.step << " at " << run.end.x << " " << run.end.y
               << " " << run.end.z << " after " << run.seconds << " s, lowest flame "
               << run.lowestFlame;
}

class CourseFixture : public GameFixture {
protected:
    static constexpr double kPilotFrame = 1.0 / 60.0;
    static constexpr double kNewcomerFrame = 1.0 / 20.0;

    explicit CourseFixture(std::string level) : GameFixture(std::move(level)) {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
    }

    // Each until the flame is locked (won or out) or `limit` seconds of game time are gone.
    CourseRun playAsPilot(const std::vector<shipped_level::Waypoint>& course, double limit) {
        shipped_level::Pilot pilot(*director, platform.input, course);
        pilot.start();
        CourseRun run = play([&] { pilot.steer(); }, kPilotFrame, limit);
        run.step = pilot.waypoint();
        return run;
    }

    CourseRun playAsNewcomer(const std::vector<RouteStep>& route, double limit = 120.0) {
        NewcomerPilot pilot(*director, platform.input, route);
        CourseRun run = play([&] { pilot.steer(kNewcomerFrame); }, kNewcomerFrame, limit);
        run.jumps = pilot.jumps();
        run.step = pilot.step();
        return run;
    }

    // No input at all, 60 frames a second, until the flame is locked or the clock reads
    // `seconds`.
    void runUntilLocked(double seconds) {
        while (!character().locked && platform.clock.now() < seconds) {
            frames(1, kPilotFrame, FrameMode::SkipDrawing);
        }
    }

    // The sinking stones that have sunk more than a unit below where they were placed.
    int sunkStones() const {
        int sunk = 0;
        for (const auto& entity : director->world->entities) {
            auto* stone = dynamic_cast<DoodadBox*>(entity.get());
            sunk += stone && stone->modelMatrix[3].y < stone->startHeight - 1.0f;
        }
        return sunk;
    }

    Character& character() const { return *director->world->character; }

private:
    template <class Steer> CourseRun play(Steer steer, double dt, double limit) {
        Character& flame = character();
        CourseRun run;
        run.lowestFlame = flame.flame;
        while (!flame.locked && run.seconds < limit) {
            steer();
            const double before = flame.flame;
            frames(1, dt, FrameMode::SkipDrawing);
            run.seconds += dt;
            run.refills += flame.flame > before;
            run.lowestFlame = std::min(run.lowestFlame, flame.flame);
        }
        run.won = flame.victorious;
        run.end = flame.actor->getGlobalPosition();
        return run;
    }
};
