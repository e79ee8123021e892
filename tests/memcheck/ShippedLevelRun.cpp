// The shipped level, drawn frame by frame under scripted input and the virtual clock,
// then shut down the way the game shuts down: the program a memory checker watches.
//   shipped_level_run <data folder> [frames]
// Exits 0 when the level loaded and the game was still running after the last frame.
#include "WalkPattern.h"
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "physics/engine/Scene.h"
#include "platform/Platform.h"
#include "platform/ScriptedInput.h"
#include "platform/VirtualClock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

constexpr double kFrame = 1.0 / 60.0;

int run(long frameCount) {
    platform::VirtualClock clock;
    platform::ScriptedInput input;
    platform::useClock(&clock);
    platform::useInput(&input);

    auto director = std::make_unique<Director>("config/config.txt");
    if (!director->init()) {
        director->cleanup();
        platform::useClock(nullptr);
        platform::useInput(nullptr);
        std::printf("shipped_level_run: the game did not start\n");
        return 1;
    }
    // The first frame carries the loading time, as in the game.
    clock.set(0.5);
    bool running = runFrame(*director);

    WalkPattern walk(input);
    const auto started = std::chrono::steady_clock::now();
    for (long frame = 0; frame < frameCount && running; ++frame) {
        // Under a memory checker a frame takes seconds: show that it moves.
        if (frame % 100 == 0) {
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - started;
            std::fprintf(stderr, "shipped_level_run: frame %ld after %.0f s\n", frame,
                         spent.count());
        }
        walk.steer(frame);
        clock.advance(kFrame);
        running = runFrame(*director);
        // The walk is about memory, not about the flame going out: topped up between
        // frames, when no physics step is running.
        director->physicsWorld->scene->fetchResults(physics::RigidBodyFinished, true);
        Character& character = *director->world->character;
        if (character.flame < 0.5) {
            character.flame = 1.0;
        }
    }

    director->cleanup();
    director.reset();
    platform::useClock(nullptr);
    platform::useInput(nullptr);
    if (!running) {
        std::printf("shipped_level_run: the game stopped before the last frame\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::printf("usage: shipped_level_run <data folder> [frames]\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::current_path(argv[1], error);
    if (error) {
        std::printf("shipped_level_run: cannot enter %s: %s\n", argv[1], error.message().c_str());
        return 2;
    }
    const long frames = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 600;
    if (frames <= 0) {
        std::printf("shipped_level_run: the frame count must be a positive number\n");
        return 2;
    }
    return run(frames);
}
