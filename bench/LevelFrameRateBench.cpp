// Frame rate of the shipped level in the real game: a real window and GL context, the real
// clock, every frame drawn (shadow maps, lit pass, water, flame, text). Run it from the
// repository root under an X display (Xvfb on a machine without a GPU). Goal: more than 30
// frames a second, reported as the "fps" counter.
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "game/Character.h"
#include "physics/engine/Controller.h"
#include "physics/engine/Scene.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// One game for every benchmark: starting the window and loading the level take seconds.
Director& game() {
    static std::unique_ptr<Director> director = [] {
        std::filesystem::current_path(std::filesystem::path(VELLAMORA_SOURCE_DIR) / "data");
        auto started = std::make_unique<Director>("config/config.txt");
        if (!started->init()) {
            std::exit(1); // every benchmark here plays the level; the reason is printed
        }
        return started;
    }();
    return *director;
}

// Places the flame, lets it land and the frame times settle, then times whole frames.
void runFrames(benchmark::State& state, glm::dvec3 position) {
    Director& director = game();
    // The last frame's physics step may still be running: wait before moving the flame.
    director.physicsWorld->scene->fetchResults(physics::RigidBodyFinished, true);
    director.world->character->controller->setPosition(position);
    for (int i = 0; i < 60; ++i) {
        runFrame(director);
    }
    for (auto _ : state) {
        runFrame(director);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The first view: the hall, the gate and the crates.
void BM_ShippedLevelStart(benchmark::State& state) {
    runFrames(state, {0.0, 2.0, 0.0});
}

// On platform C where the jump off the rafts lands, the camera above the pool and the
// rafts: water, the sinking rafts and the bridge's fans in the picture.
void BM_ShippedLevelPlatformC(benchmark::State& state) {
    runFrames(state, {0.0, 7.0, -143.0});
}

} // namespace

BENCHMARK(BM_ShippedLevelStart)->Unit(benchmark::kMillisecond)->MinTime(5.0)->UseRealTime();
BENCHMARK(BM_ShippedLevelPlatformC)->Unit(benchmark::kMillisecond)->MinTime(5.0)->UseRealTime();

BENCHMARK_MAIN();
