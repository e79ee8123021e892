// One character controller move over a static mesh of 100 000 triangles, as the game
// moves the character every frame. Goal: under 50 microseconds a move.
#include "physics/CharacterController.h"
#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "resources/Mesh.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>

namespace {

constexpr int kCells = 224; // 2 x 224 x 224 = 100 352 triangles
constexpr float kSize = 200.0f;
constexpr float kRadius = 75.0f;     // of the circle walked
constexpr float kStepLength = 0.15f; // a frame's walk at the game's speed

float heightAt(float x, float z) {
    return 0.6f * std::sin(x * 0.15f) * std::cos(z * 0.11f);
}

// Rolling ground: every move meets slopes, not just one flat triangle.
Mesh terrain() {
    std::ostringstream text;
    const float cell = kSize / kCells;
    for (int z = 0; z <= kCells; ++z) {
        for (int x = 0; x <= kCells; ++x) {
            const float px = x * cell - kSize / 2;
            const float pz = z * cell - kSize / 2;
            text << "v " << px << ' ' << heightAt(px, pz) << ' ' << pz << '\n';
        }
    }
    text << "vn 0 1 0\n";
    const int row = kCells + 1;
    for (int z = 0; z < kCells; ++z) {
        for (int x = 0; x < kCells; ++x) {
            const int a = z * row + x + 1; // OBJ counts from 1
            text << "f " << a << "//1 " << a + row << "//1 " << a + 1 << "//1\n";
            text << "f " << a + 1 << "//1 " << a + row << "//1 " << a + row + 1 << "//1\n";
        }
    }
    return Mesh::fromText("bench-terrain.obj", text.str());
}

void ControllerMove(benchmark::State& state) {
    PhysicsWorld world;
    world.initPhysics();
    const Mesh ground = terrain();
    setActorCollisionGroup(createStaticMeshActor(&world, ground, 0, 0, 0), GROUP_SOLID);
    physics::Controller* character =
        createCharacterController(&world, 0, 3, -kRadius, 0.8f, 0.5f, 0.01f, 45.0f, 0.5f);
    setActorCollisionGroup(character->getActor(), GROUP_DEFAULT);
    state.counters["triangles"] = ground.faceCount;

    // Walking round the middle of the ground at the game's pace, with its gravity pull.
    int frame = 0;
    unsigned flags = 0;
    for (auto _ : state) {
        const float angle = static_cast<float>(frame++) * kStepLength / kRadius;
        const glm::vec3 step(kStepLength * std::cos(angle), -0.1f, kStepLength * std::sin(angle));
        character->move(step, 1u << GROUP_SOLID, 0.001f, flags, 1.0f);
        world.controllerManager()->updateControllers();
    }
    // 1 when the character still stands on the ground at the end, as it should.
    state.counters["grounded"] = (flags & physics::CollisionDown) ? 1 : 0;
}

} // namespace

BENCHMARK(ControllerMove)->Unit(benchmark::kMicrosecond);
