// Level objects placed with a scale, stretched or mirrored: they collide where they are
// drawn, and keep the shape the level gave them while the physics moves or turns them.
#include "../../support/LevelLoadFixture.h"
#include "../../support/PhysicsTestHelpers.h"
#include "../../support/PlatformFixture.h"
#include "physics/engine/Actor.h"
#include "resources/Mesh.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

namespace {

// The mesh lies off its origin along every axis: a shape mirrored about the wrong axis,
// or not at all, ends up somewhere else than the drawn mesh.
const glm::vec3 kLow(1.0f, 0.5f, 0.25f);
const glm::vec3 kHigh(2.0f, 1.5f, 0.75f);
const glm::vec3 kUp(0.0f, 1.0f, 0.0f);

glm::mat4 placement(const glm::vec3& position, float degrees, const glm::vec3& axis) {
    return glm::rotate(glm::translate(glm::mat4(1.0f), position), glm::radians(degrees), axis);
}

void expectMatrixNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << "column " << c << ", row " << r;
        }
    }
}

// The box around the mesh's vertices as they are drawn.
physics::Bounds drawnBounds(const Entity& object) {
    physics::Bounds box{glm::vec3(std::numeric_limits<float>::max()),
                        glm::vec3(std::numeric_limits<float>::lowest())};
    for (const glm::vec3& vertex : object.mesh->positions) {
        const glm::vec3 point(object.modelMatrix * glm::vec4(vertex, 1.0f));
        box.min = glm::min(box.min, point);
        box.max = glm::max(box.max, point);
    }
    return box;
}

// Only the margin the collision engine rounds hulls with may lie between the two: it
// widens a hull's bounds by 0.04 along each of the hull's own axes, less than 0.07
// along a world axis.
void expectCollidesWhereDrawn(const Entity& object) {
    const physics::Bounds drawn = drawnBounds(object);
    const physics::Bounds shape = object.actor->getWorldBounds();
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_NEAR(shape.min[axis], drawn.min[axis], 0.07f) << "axis " << axis;
        EXPECT_NEAR(shape.max[axis], drawn.max[axis], 0.07f) << "axis " << axis;
    }
}

class ScaledPlacement : public LevelLoadFixture {
protected:
    ScaledPlacement() : LevelLoadFixture("scaled_placement.txt") {}

    void SetUp() override {
        LevelLoadFixture::SetUp();
        std::ofstream(meshPath) << physics_test::boxText(kLow, kHigh);
    }
    void TearDown() override {
        LevelLoadFixture::TearDown();
        std::filesystem::remove(meshPath);
    }

    std::string object(const std::string& type, const std::string& physics,
                       const std::string& place, const std::string& rotation,
                       const std::string& scale, const std::string& params = "u") const {
        return "#" + type + "\n" + physics + "\n" + meshPath +
               "\ntests/data/obj/crate.mtl\nnone.png\n" + place + "\n" + rotation + "\n" + scale +
               "\n" + params + "\n";
    }

    ScopedPlatform platform;
    std::string meshPath = scratchPath("scaled_box.obj");
};

} // namespace

TEST_F(ScaledPlacement, MirroredObjectsCollideWhereTheyAreDrawn) {
    // Mirrored in one axis, or in two (a half turn, no mirror left), on every kind of actor.
    load(object("Box", "static 0", " 10 0 0", "u", " -2 1 1") +
         object("Box", "kinematic 1", " 0 3 20", " 30 1 1 0", " 1 -1.5 1") +
         object("CollisionBox", "static 0", " -10 0 0", " 60 0 0 1", " -1 -1 2") +
         object("Box", "dynamic 1", " 0 0 -20", " 45 0 1 0", " 2 1 -1"));
    ASSERT_EQ(entities.size(), 4u) << messages;
    for (const auto& placed : entities) {
        ASSERT_NE(placed->actor, nullptr) << messages;
        expectCollidesWhereDrawn(*placed);
        const glm::mat3 rotation = placed->actor->getGlobalPose().rotation;
        EXPECT_NEAR(glm::determinant(rotation), 1.0f, 1e-5f) << "the pose only turns";
    }
    EXPECT_NEAR(entities[0]->actor->getMass(), 1.0f, 1e-3f)
        << "density times the hull's volume, mirrored or not";

    // Drawn from x 6 to 8: sweeps from either side meet the mirrored faces there.
    const physics::Scene& scene = *world.scene;
    const physics::SweepHit in = scene.sweepSphere({0, 1, 0.5f}, {20, 1, 0.5f}, 0.2f, ~0u);
    ASSERT_TRUE(in.hit);
    EXPECT_EQ(&in.shape->getActor(), entities[3]->actor);
    EXPECT_NEAR(in.distance, 6.0f - 0.2f, 0.02f);
    EXPECT_NEAR(in.normal.x, -1.0f, 1e-3f);
    const physics::SweepHit back = scene.sweepSphere({20, 1, 0.5f}, {0, 1, 0.5f}, 0.2f, ~0u);
    ASSERT_TRUE(back.hit);
    EXPECT_NEAR(back.distance, 20.0f - 8.0f - 0.2f, 0.02f);
    EXPECT_NEAR(back.normal.x, 1.0f, 1e-3f);
}

TEST_F(ScaledPlacement, MirroredObjectsStayMirroredFrameAfterFrame) {
    load(object("Box", "plane 0", " 0 0 0", "u", "u") +
         object("Box", "dynamic 1", " 0 4 0", " 20 0 0 1", " -2 1 1") +
         object("Box", "static 0", " 5 1 -3", " 70 1 0 1", " 1.5 -1 0.5"));
    ASSERT_EQ(entities.size(), 3u) << messages;
    Entity& still = *entities[0];
    Entity& falling = *entities[1];
    const glm::mat4 placed = still.modelMatrix;

    for (int frame = 0; frame < 180; ++frame) {
        physics_test::frame(world);
        falling.syncFromActor();
        still.syncFromActor();
        still.syncToActor();
    }
    expectMatrixNear(still.modelMatrix, placed, 1e-5f);
    expectCollidesWhereDrawn(still);

    // Fallen and come to rest on the plane, drawn as mirrored as it was placed.
    const glm::mat4 pose = falling.actor->getGlobalPose().toMatrix();
    expectMatrixNear(falling.modelMatrix, glm::scale(pose, {-2, 1, 1}), 1e-6f);
    EXPECT_LT(glm::determinant(glm::mat3(falling.modelMatrix)), 0.0f);
    expectCollidesWhereDrawn(falling);
    EXPECT_NEAR(drawnBounds(falling).min.y, 0.0f, 0.05f);
}

TEST_F(ScaledPlacement, StretchedFansKeepTheirShapeAsTheyTurn) {
    // Lying on their sides, as the level's fans do; one of them mirrored as well.
    load(object("DoodadFan", "kinematic 1", " 3 2 -4", " 90 0 0 1", " 3 1 0.5", " 0 0 0 0 90 0 0") +
         object("DoodadFan", "static 0", " -6 2 -4", " 90 0 0 1", " -3 1 0.5",
                " 0 0 0 0.2 -40 0 0"));
    ASSERT_EQ(entities.size(), 2u) << messages;
    struct Turning {
        Entity& fan;
        glm::mat4 placed;
        glm::vec3 scale;
        float speed;
        float delay;
    };
    const Turning fans[] = {
        {*entities[1], placement({3, 2, -4}, 90, {0, 0, 1}), {3, 1, 0.5f}, 90, 0},
        {*entities[0], placement({-6, 2, -4}, 90, {0, 0, 1}), {-3, 1, 0.5f}, -40, 0.2f}};

    // The first short frame is the end of the loading; the turning starts after it.
    double now = 1.0;
    platform.clock.set(now);
    for (const Turning& f : fans) {
        f.fan.update(0.1);
    }
    const double dts[] = {0.1, 0.25, 0.05, 0.4, 0.3, 0.15};
    float angles[] = {0.0f, 0.0f};
    for (int step = 0; step < 36; ++step) {
        SCOPED_TRACE("turn " + std::to_string(step));
        const double dt = dts[step % 6];
        now += dt;
        platform.clock.set(now);
        for (int i = 0; i < 2; ++i) {
            const Turning& f = fans[i];
            f.fan.update(dt);
            if (now - 1.0 - f.delay > 0.0) {
                angles[i] += f.speed * static_cast<float>(dt);
            }
            // T * R(t) * S: the axes keep the level's lengths, square to each other.
            const glm::mat4 expected =
                glm::scale(glm::rotate(f.placed, glm::radians(angles[i]), kUp), f.scale);
            expectMatrixNear(f.fan.modelMatrix, expected, 1e-4f);
            expectCollidesWhereDrawn(f.fan);
        }
        ASSERT_FALSE(HasFailure());
    }
    EXPECT_GT(angles[0], 400.0f) << "more than a whole turn";
}
