#pragma once

// A level played from start to finish by a scripted newcomer, on the virtual clock at
// 20 frames a second.
#include "GameFixture.h"
#include "NewcomerPilot.h"
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
    int jumps = 0;
    std::size_t step = 0; // the route step the newcomer was on at the end
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
    explicit CourseFixture(std::string level) : GameFixture(std::move(level)) {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
    }

    // Until the flame is locked (won or out) or `limit` seconds of game time are gone.
    CourseRun playAsNewcomer(const std::vector<RouteStep>& route, double limit = 120.0) {
        constexpr double kFrame = 1.0 / 20.0;
        NewcomerPilot pilot(*director, platform.input, route);
        Character& flame = character();
        CourseRun run;
        run.lowestFlame = flame.flame;
        while (!flame.locked && run.seconds < limit) {
            pilot.steer(kFrame);
            frames(1, kFrame, FrameMode::SkipDrawing);
            run.seconds += kFrame;
            run.lowestFlame = std::min(run.lowestFlame, flame.flame);
        }
        run.won = flame.victorious;
        run.jumps = pilot.jumps();
        run.step = pilot.step();
        run.end = flame.actor->getGlobalPosition();
        return run;
    }

    Character& character() const { return *director->world->character; }
};
