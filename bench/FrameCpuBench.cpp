// CPU time of one frame of the game — update, the physics step, the GL calls of the render —
// on the shipped level and on generated levels of 1000 and 10 000 entities (200 of them
// dynamic in each), side by side. Goals: under 1 ms a frame for the shipped level, under 4 ms
// for the 1000 entities; reported, not enforced. Run it from anywhere under an X display,
// and with GALLIUM_NOOP=1 for Mesa's no-op driver (the label of each row names the driver).
//
// How a frame's CPU time is taken: the CPU clocks of the process's threads, read before and
// after a run of frames. The game thread counts (update, render and the driver's work done
// while the GL calls are made), and so does the physics step: it runs on a worker thread,
// overlapping the next frame, and waiting for it inside the frame would add nothing to the
// game thread's CPU time, only idle time. Process CPU time would count the worker too, but
// also the software rasteriser's threads, whose work a GPU does on a real machine; those are
// left out, and nothing calls glFinish, which would wait for them. Before the run and after
// it the last step is waited for, so the run holds exactly one step per frame. The virtual
// clock advances 1/60 s a frame: one fixed physics step each.
//
// Counters, all per frame: frame_cpu_ms (the figure for the goals), game_thread_ms (also the
// CPU column), physics_ms (the threads other than the game thread and the rasteriser's),
// raster_ms (left out of frame_cpu_ms), gl_calls and a few groups of them (gl_lookups:
// glGet*Location), steps (physics steps, 1 when the clock does what it should).
//
// Under Mesa's llvmpipe the game thread also transforms vertices, sorts triangles into
// tiles and copies each finished picture to the X server; a GPU driver does less of that on
// the CPU, so the figures here are on the high side of what a real machine shows.
// FRAME_CPU_BENCH_GL_TABLE=1 prints the GL calls of a frame by function on standard error.
#include "../tests/support/PlatformFixture.h"
#include "GlCallCounter.h"
#include "StressLevel.h"
#include "ThreadCpuTimes.h"

#include "core/Director.h"
#include "core/FrameLoop.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Scene.h"
#include "platform/Platform.h"
#include "platform/RecordingSink.h"
#include "platform/ScopedDiagnostics.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

namespace {

constexpr double kFrameSeconds = 1.0 / 60.0;
// Enough for the generated level's crates to land and the frame times to settle.
constexpr int kWarmUpFrames = 120;

// What the game says when start-up goes well; any other line it printed while loading is a
// problem with the level (or with the files it names).
std::string problemsIn(const std::string& startMessages) {
    constexpr std::array<std::string_view, 6> kFine{
        "",
        "GLFW initialized",
        "GLEW initialized",
        "Shader loaded and compiled successfully.",
        "Shader-program linked successfully.",
        "Texture loading succesful",
    };
    std::istringstream lines(startMessages);
    std::string problems;
    for (std::string line; std::getline(lines, line);) {
        if (std::find(kFine.begin(), kFine.end(), line) == kFine.end()) {
            problems += line + "\n";
        }
    }
    return problems;
}

// The GL driver the frames ran on, as it names itself: "NOOP" under Mesa's no-op driver
// (GALLIUM_NOOP=1), where the GL front end runs but nothing is rasterised, the CPU cost a
// machine with a GPU would see; "llvmpipe (...)" under software GL.
std::string driverName() {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr ? renderer : "no renderer";
}

int dynamicActors(const Director& director) {
    int dynamic = 0;
    for (const auto& entity : director.world->entities) {
        dynamic += entity->actor != nullptr && entity->actor->isDynamic() ? 1 : 0;
    }
    return dynamic;
}

void perFrame(benchmark::State& state, const char* name, double total) {
    state.counters[name] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}

void printGlTable(const glcalls::FunctionCalls& before, const glcalls::FunctionCalls& after,
                  benchmark::IterationCount frames, const std::string& level) {
    std::cerr << "GL calls per frame, " << level << ":\n";
    for (const auto& [name, calls] : after) {
        std::uint64_t earlier = 0;
        for (const auto& [beforeName, beforeCalls] : before) {
            if (beforeName == name) {
                earlier = beforeCalls;
            }
        }
        if (calls > earlier) {
            std::cerr << "  " << name << " "
                      << static_cast<double>(calls - earlier) / static_cast<double>(frames) << "\n";
        }
    }
}

// Loads the level (a path relative to data/, or absolute), runs it until it settles, then
// times frames.
void runLevel(benchmark::State& state, const std::string& level) {
    std::filesystem::current_path(std::filesystem::path(VELLAMORA_SOURCE_DIR) / "data");
    ScopedPlatform platform;
    auto director = std::make_unique<Director>(level);

    platform::RecordingSink startMessages;
    bool started = false;
    {
        const platform::ScopedDiagnostics listening(startMessages);
        started = director->init();
    }
    glcalls::relayLoadedFunctions();
    const std::string problems = problemsIn(startMessages.text());
    if (!started || !problems.empty()) {
        state.SkipWithError(("the level " + level + " loads with messages:\n" + problems).c_str());
        director->cleanup();
        return;
    }

    physics::Scene& scene = *director->physicsWorld->scene;
    for (int i = 0; i < kWarmUpFrames; ++i) {
        platform.clock.advance(kFrameSeconds);
        runFrame(*director);
    }
    scene.fetchResults(physics::RigidBodyFinished, true);

    const bool table = std::getenv("FRAME_CPU_BENCH_GL_TABLE") != nullptr;
    const glcalls::FunctionCalls callsBefore =
        table ? glcalls::callsByFunction() : glcalls::FunctionCalls{};
    const pid_t gameThread = threadcpu::currentThread();
    const glcalls::Tally glBefore = glcalls::tally();
    const std::vector<threadcpu::ThreadTime> cpuBefore = threadcpu::sample();
    unsigned steps = 0;
    for (auto _ : state) {
        platform.clock.advance(kFrameSeconds);
        runFrame(*director);
        steps += scene.getLastStepCount();
    }
    // The step the last frame started belongs to the run.
    scene.fetchResults(physics::RigidBodyFinished, true);
    const threadcpu::Split cpu = threadcpu::split(cpuBefore, threadcpu::sample(), gameThread);
    const glcalls::Tally gl = glcalls::tally() - glBefore;

    perFrame(state, "frame_cpu_ms", 1e3 * (cpu.caller + cpu.others));
    perFrame(state, "game_thread_ms", 1e3 * cpu.caller);
    perFrame(state, "physics_ms", 1e3 * cpu.others);
    perFrame(state, "raster_ms", 1e3 * cpu.rasteriser);
    perFrame(state, "steps", steps);
    perFrame(state, "gl_calls", static_cast<double>(gl.total));
    perFrame(state, "gl_lookups", static_cast<double>(gl.locationLookups));
    perFrame(state, "gl_draws", static_cast<double>(gl.draws));
    perFrame(state, "gl_uniforms", static_cast<double>(gl.uniforms));
    perFrame(state, "gl_textures", static_cast<double>(gl.textures));
    state.counters["entities"] = static_cast<double>(director->world->entities.size());
    state.SetLabel(driverName());
    state.counters["dynamic"] = dynamicActors(*director);
    if (table) {
        printGlTable(callsBefore, glcalls::callsByFunction(), state.iterations(), level);
    }

    director->cleanup();
    director.reset();
}

void BM_ShippedLevel(benchmark::State& state) {
    runLevel(state, "config/config.txt");
}

// The generated level with state.range(0) entities, 200 of them dynamic.
void BM_StressLevel(benchmark::State& state) {
    StressLevel level;
    level.entities = static_cast<int>(state.range(0));
    const std::filesystem::path file = std::filesystem::path(VELLAMORA_BENCH_DATA_DIR) /
                                       ("stress_level_" + std::to_string(level.entities) + ".txt");
    if (!level.write(file)) {
        state.SkipWithError("the generated level could not be written");
        return;
    }
    runLevel(state, file.string());
}

} // namespace

// A fixed number of frames: Google Benchmark would otherwise run each case several times to
// find one, loading the level each time.
BENCHMARK(BM_ShippedLevel)
    ->Name("FrameCpu/ShippedLevel/goal_1ms")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(600);
BENCHMARK(BM_StressLevel)
    ->Name("FrameCpu/Generated1000/goal_4ms")
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);
// How the cost grows: ten times the entities, the same 200 dynamic ones.
BENCHMARK(BM_StressLevel)
    ->Name("FrameCpu/Generated10000")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

BENCHMARK_MAIN();
