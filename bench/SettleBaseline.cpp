// The yardstick of SettleBench: its scene built on the collision engine directly, with
// the same bodies, shapes, materials and steps and no layer in between. The one file of
// the benches that names the engine's types, since measuring the engine alone is its job.
#include "SettleScene.h"

#include <LinearMath/btConvexHullComputer.h>
#include <benchmark/benchmark.h>
#include <btBulletDynamicsCommon.h>

#include <memory>
#include <vector>

namespace {

void BulletDirectly(benchmark::State& state) {
    // The hull as our cooking shapes it: shrunk by the margin that rounds it again.
    btConvexHullComputer shrunk;
    const std::vector<glm::vec3> corners = settle::cubeCorners();
    const float margin = shrunk.compute(&corners[0].x, sizeof(glm::vec3),
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
        for (int i = 0; i < settle::kBoxes; ++i) {
            const glm::vec3 at = settle::startOf(i);
            add(1.0f, &hull, btVector3(at.x, at.y, at.z));
        }
        state.ResumeTiming();
        for (int frame = 0; frame < settle::kFrames; ++frame) {
            world.stepSimulation(settle::kStep, 0);
        }
        state.PauseTiming();
        resting = 0;
        for (std::size_t i = 1; i < bodies.size(); ++i) {
            const btVector3& at = bodies[i]->getWorldTransform().getOrigin();
            const btVector3& velocity = bodies[i]->getLinearVelocity();
            resting += settle::isResting(glm::vec3(at.x(), at.y(), at.z()),
                                         glm::vec3(velocity.x(), velocity.y(), velocity.z()));
        }
        for (auto& body : bodies) {
            world.removeRigidBody(body.get());
        }
        state.ResumeTiming();
    }
    state.counters["resting"] = resting;
    state.counters["frame_ms"] =
        benchmark::Counter(static_cast<double>(settle::kFrames) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BulletDirectly)
    ->Name("Settle500Boxes/BulletDirectly")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->MinTime(3.0);
