// Small scenes for the physics tests: a started world, OBJ meshes built in memory and
// the frame contract of the game loop.
#pragma once

#include "physics/PhysicsWorld.h"
#include "resources/Mesh.h"

#include <glm/vec3.hpp>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace physics_test {

constexpr float kStep = 1.0f / 60.0f;

// One frame of the loop's contract: simulate, then the next frame's fetchResults.
inline void frame(PhysicsWorld& world, float dt = kStep) {
    world.scene->simulate(dt);
    world.scene->flushStream();
    world.scene->fetchResults(physics::RigidBodyFinished, true);
}

inline void frames(PhysicsWorld& world, int count) {
    for (int i = 0; i < count; ++i) {
        frame(world);
    }
}

// An OBJ text of the given points and triangles (zero-based), in the v//vn form the
// mesh reader takes.
inline std::string objText(const std::vector<glm::vec3>& points,
                           const std::vector<unsigned>& triangles) {
    std::ostringstream text;
    for (const glm::vec3& p : points) {
        text << "v " << p.x << ' ' << p.y << ' ' << p.z << '\n';
    }
    text << "vn 0 1 0\n";
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        text << "f " << triangles[t] + 1 << "//1 " << triangles[t + 1] + 1 << "//1 "
             << triangles[t + 2] + 1 << "//1\n";
    }
    return text.str();
}

inline Mesh meshOf(const std::vector<glm::vec3>& points, const std::vector<unsigned>& triangles) {
    return Mesh::fromText("test.obj", objText(points, triangles));
}

// The OBJ text of a closed box between two corners, its faces wound outwards.
inline std::string boxText(const glm::vec3& low, const glm::vec3& high) {
    std::vector<glm::vec3> points;
    for (int i = 0; i < 8; ++i) {
        points.emplace_back(i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z);
    }
    return objText(points, {0, 2, 3, 0, 3, 1, 4, 5, 7, 4, 7, 6, 0, 1, 5, 0, 5, 4,
                            2, 6, 7, 2, 7, 3, 0, 4, 6, 0, 6, 2, 1, 3, 7, 1, 7, 5});
}

// A closed box centred on the origin.
inline Mesh boxMesh(const glm::vec3& half) {
    return Mesh::fromText("test.obj", boxText(-half, half));
}

// A flat square grid of cells x cells quads (two triangles each) at height 0.
inline Mesh gridMesh(int cells, float size) {
    std::vector<glm::vec3> points;
    std::vector<unsigned> triangles;
    const float cell = size / static_cast<float>(cells);
    for (int z = 0; z <= cells; ++z) {
        for (int x = 0; x <= cells; ++x) {
            points.emplace_back(x * cell - size / 2, 0.0f, z * cell - size / 2);
        }
    }
    const unsigned row = static_cast<unsigned>(cells) + 1;
    for (unsigned z = 0; z < static_cast<unsigned>(cells); ++z) {
        for (unsigned x = 0; x < static_cast<unsigned>(cells); ++x) {
            const unsigned a = z * row + x;
            triangles.insert(triangles.end(), {a, a + row, a + 1, a + 1, a + row, a + row + 1});
        }
    }
    return meshOf(points, triangles);
}

// A started world, as the Director leaves it before the level is loaded.
class PhysicsScene : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(world.initPhysics()); }

    PhysicsWorld world;
};

} // namespace physics_test
