// 500 dynamic convex boxes dropped onto a level plane and left to settle: our physics
// layer against the same scene built on Bullet directly. Goal: within 5 % of Bullet.
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "resources/Mesh.h"

#include <LinearMath/btConvexHullComputer.h>
#include <benchmark/benchmark.h>
#include <btBulletDynamicsCommon.h>

#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr int kBoxes = 500;
constexpr int kFrames = 300; // five seconds of 60 Hz frames
constexpr float kStep = 1.0f / 60.0f;
constexpr float kHalf = 0.5f;

std::vector<btVector3> cubeCorners() {
    std::vector<btVector3> corners;
    for (int i = 0; i < 8; ++i) {
        corners.emplace_back(i & 1 ? kHalf : -kHalf, i & 2 ? kHalf : -kHalf,
                             i & 4 ? kHalf : -kHalf);
    }
    return corners;
}

Mesh cubeMesh() {
    std::ostringstream text;
    for (const btVector3& corner : cubeCorners()) {
        text << "v " << corner.x() << ' ' << corner.y() << ' ' << corner.z() << '\n';
    }
    text << "vn 0 1 0\n";
    const int faces[12][3] = {{1, 3, 4}, {1, 4, 2}, {5, 6, 8}, {5, 8, 7}, {1, 2, 6}, {1, 6, 5},
                              {3, 7, 8}, {3, 8, 4}, {1, 5, 7}, {1, 7, 3}, {2, 4, 8}, {2, 8, 6}};
    for (const auto& face : faces) {
        text << "f " << face[0] << "//1 " << face[1] << "//1 " << face[2] << "//1\n";
    }
    return Mesh::fromText("bench-cube.obj", text.str());
}

// Where box i starts: a 25 x 20 grid, staggered in height so they land over time.
btVector3 startOf(int i) {
    return btVector3(static_cast<float>(i % 25) * 1.5f - 18.0f, 1.0f + static_cast<float>(i % 7),
                     static_cast<float>(i / 25) * 1.5f - 15.0f);
}

// Both scenes must end alike for the times to compare: every box still on the plane.
int isResting(const btRigidBody& body) {
    return body.getWorldTransform().getOrigin().y() < 1.0f &&
                   body.getLinearVelocity().length() < 0.5f
               ? 1
               : 0;
}

void OurLayer(benchmark::State& state) {
    const Mesh cube = cubeMesh();
    int resting = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto world = std::make_unique<PhysicsWorld>();
        world->initPhysics();
        createBoxActor(world.get(), 0, 0, 0, 300, 0, 300);
        for (int i = 0; i < kBoxes; ++i) {
            const btVector3 at = startOf(i);
            createConvexActor(world.get(), cube, 1.0f, at.x(), at.y(), at.z());
        }
        state.ResumeTiming();
        for (int frame = 0; frame < kFrames; ++frame) {
            world->scene->simulate(kStep);
            world->scene->flushStream();
            world->scene->fetchResults(physics::RigidBodyFinished, true);
        }
        state.PauseTiming();
        resting = 0;
        for (unsigned i = 1; i < world->scene->getNbActors(); ++i) {
            resting += isResting(world->scene->getActors()[i]->body());
        }
        world.reset();
        state.ResumeTiming();
    }
    state.counters["resting"] = resting;
    state.counters["frame_ms"] =
        benchmark::Counter(static_cast<double>(kFrames) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The same bodies, shapes, materials and steps, with no layer in between.
void BulletDirectly(benchmark::State& state) {
    // The hull as our cooking shapes it: shrunk by the margin that rounds it again.
    btConvexHullComputer shrunk;
    const std::vector<btVector3> corners = cubeCorners();
    const float margin = shrunk.compute(&corners[0].x(), sizeof(btVector3),
                                        static_cast<int>(corners.size()), 0.04f, 0.25f);
    btConvexHullShape hull;
    for (int i = 0; i < shrunk.vertices.size(); ++i) {
        hull.addPoint(shrunk.vertices[i], false);
    }
    hull.setMargin(margin);
    hull.recalcLocalAabb();
    btBoxShape groundBox(btVector3(300, 0.05f, 300));
    groundBox.setMargin(0.04f);
    btCompoundShape ground;
    ground.addChildShape(btTransform(btQuaternion::getIdentity(), btVector3(0, -0.05f, 0)),
                         &groundBox);
    int resting = 0;

    for (auto _ : state) {
        state.PauseTiming();
        btDefaultCollisionConfiguration configuration;
        btCollisionDispatcher dispatcher(&configuration);
        btDbvtBroadphase broadphase;
        btSequentialImpulseConstraintSolver solver;
        btDiscreteDynamicsWorld world(&dispatcher, &broadphase, &solver, &configuration);
        world.setGravity(btVector3(0, -29.43f, 0));
        std::vector<std::unique_ptr<btRigidBody>> bodies;
        auto add = [&](float mass, btCollisionShape* shape, const btVector3& at) {
            btVector3 inertia(0, 0, 0);
            if (mass > 0) {
                shape->calculateLocalInertia(mass, inertia);
            }
            btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, shape, inertia);
            info.m_startWorldTransform.setIdentity();
            info.m_startWorldTransform.setOrigin(at);
            info.m_restitution = 0.5f;
            info.m_friction = 0.5f;
            bodies.push_back(std::make_unique<btRigidBody>(info));
            world.addRigidBody(bodies.back().get());
        };
        add(0.0f, &ground, btVector3(0, 0, 0));
        for (int i = 0; i < kBoxes; ++i) {
            add(1.0f, &hull, startOf(i));
        }
        state.ResumeTiming();
        for (int frame = 0; frame < kFrames; ++frame) {
            world.stepSimulation(kStep, 0);
        }
        state.PauseTiming();
        resting = 0;
        for (std::size_t i = 1; i < bodies.size(); ++i) {
            resting += isResting(*bodies[i]);
        }
        for (auto& body : bodies) {
            world.removeRigidBody(body.get());
        }
        state.ResumeTiming();
    }
    state.counters["resting"] = resting;
    state.counters["frame_ms"] =
        benchmark::Counter(static_cast<double>(kFrames) * state.iterations(),
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
BENCHMARK(BulletDirectly)
    ->Name("Settle500Boxes/BulletDirectly")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->MinTime(3.0);
