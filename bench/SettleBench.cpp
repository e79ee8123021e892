// 500 dynamic convex boxes dropped onto a level plane and left to settle: our physics
// layer against the same scene built on the collision engine directly
// (SettleBaseline.cpp). Goal: within 5 % of the engine alone.
#include "SettleScene.h"
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Actor.h"
#include "resources/Mesh.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <vector>

namespace {

Mesh cubeMesh() {
    std::ostringstream text;
    for (const glm::vec3& corner : settle::cubeCorners()) {
        text << "v " << corner.x << ' ' << corner.y << ' ' << corner.z << '\n';
    }
    text << "vn 0 1 0\n";
    const int faces[12][3] = {{1, 3, 4}, {1, 4, 2}, {5, 6, 8}, {5, 8, 7}, {1, 2, 6}, {1, 6, 5},
                              {3, 7, 8}, {3, 8, 4}, {1, 5, 7}, {1, 7, 3}, {2, 4, 8}, {2, 8, 6}};
    for (const auto& face : faces) {
        text << "f " << face[0] << "//1 " << face[1] << "//1 " << face[2] << "//1\n";
    }
    return Mesh::fromText("bench-cube.obj", text.str());
}

void OurLayer(benchmark::State& state) {
    const Mesh cube = cubeMesh();
    int resting = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto world = std::make_unique<PhysicsWorld>();
        world->initPhysics();
        createBoxActor(world.get(), 0, 0, 0, 300, 0, 300);
        for (int i = 0; i < settle::kBoxes; ++i) {
            const glm::vec3 at = settle::startOf(i);
            createConvexActor(world.get(), cube, 1.0f, at.x, at.y, at.z);
        }
        state.ResumeTiming();
        for (int frame = 0; frame < settle::kFrames; ++frame) {
            world->scene->simulate(settle::kStep);
            world->scene->flushStream();
            world->scene->fetchResults(physics::RigidBodyFinished, true);
        }
        state.PauseTiming();
        resting = 0;
        for (unsigned i = 1; i < world->scene->getNbActors(); ++i) {
            const physics::Actor& box = *world->scene->getActors()[i];
            resting += settle::isResting(box.getGlobalPosition(), box.getLinearVelocity());
        }
        world.reset();
        state.ResumeTiming();
    }
    state.counters["resting"] = resting;
    state.counters["frame_ms"] =
        benchmark::Counter(static_cast<double>(settle::kFrames) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

// Our layer steps on its worker thread: the wall time is what the game waits for, and
// the CPU column counts every thread of the process, which a busy machine disturbs less.
BENCHMARK(OurLayer)
    ->Name("Settle500Boxes/OurLayer")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->MinTime(3.0);
