// Actors of the physics layer, simulated by the real collision engine: resting, stacking, group
// filtering, poses and pushes.
#include "../../support/PhysicsTestHelpers.h"

#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"
#include "physics/engine/UserContactReport.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <limits>

using namespace physics_test;

namespace {

class PhysicsActors : public PhysicsScene {
protected:
    physics::Actor* crate(float x, float y, float z, float half = 0.5f, float density = 1.0f) {
        physics::Actor* actor =
            createConvexActor(&world, boxMesh(glm::vec3(half)), density, x, y, z);
        EXPECT_NE(actor, nullptr);
        return actor;
    }
};

} // namespace

TEST_F(PhysicsActors, ConvexBoxesRestOnAPlaneAndOnEachOther) {
    physics::Actor* plane = createBoxActor(&world, 0, 0, 0, 300, 0, 300);
    ASSERT_NE(plane, nullptr);
    EXPECT_FALSE(plane->isDynamic());
    EXPECT_EQ(plane->getMass(), 0.0f);

    physics::Actor* single = crate(-5, 3, 0, 0.5f, 2.0f);
    physics::Actor* bottom = crate(5, 0.6f, 0);
    physics::Actor* top = crate(5, 1.8f, 0);
    ASSERT_TRUE(single->isDynamic());
    EXPECT_NEAR(single->getMass(), 2.0f, 1e-3f) << "density times the hull's volume";
    frames(world, 240);

    EXPECT_NEAR(single->getGlobalPosition().y, 0.5f, 0.02f);
    EXPECT_NEAR(bottom->getGlobalPosition().y, 0.5f, 0.02f);
    EXPECT_NEAR(top->getGlobalPosition().y, 1.5f, 0.03f);
    EXPECT_NEAR(top->getGlobalPosition().x, 5.0f, 0.05f);
    // Still upright.
    EXPECT_NEAR(top->getGlobalPose().rotation[1].y, 1.0f, 1e-3f);
}

TEST_F(PhysicsActors, ALevelPlaneIsSixHundredWideAndHasNoThickness) {
    createBoxActor(&world, 0, 2, 0, 300, 0, 300);
    physics::Actor* inside = crate(299, 4, 0);
    physics::Actor* outside = crate(301, 4, 0);
    frames(world, 120);
    EXPECT_NEAR(inside->getGlobalPosition().y, 2.5f, 0.02f) << "rests on the top face at y = 2";
    EXPECT_LT(outside->getGlobalPosition().y, 0.0f);
}

TEST_F(PhysicsActors, GroupPairsFilterTheSimulation) {
    physics::Actor* floor = createBoxActor(&world, 0, 0, 0, 20, 0.5f, 20);
    setActorCollisionGroup(floor, GROUP_SOLID);
    physics::Actor* pushable = crate(-3, 2, 0);
    physics::Actor* solid = crate(3, 2, 0);
    setActorCollisionGroup(pushable, GROUP_PUSHABLE);
    setActorCollisionGroup(solid, GROUP_SOLID);
    EXPECT_EQ(pushable->getShapes().front()->getGroup(), GROUP_PUSHABLE);

    world.scene->setGroupCollisionFlag(GROUP_SOLID, GROUP_PUSHABLE, false);
    EXPECT_FALSE(world.scene->getGroupCollisionFlag(GROUP_PUSHABLE, GROUP_SOLID));
    EXPECT_TRUE(world.scene->getGroupCollisionFlag(GROUP_SOLID, GROUP_SOLID));
    frames(world, 90);
    EXPECT_LT(pushable->getGlobalPosition().y, -2.0f) << "fell through the floor";
    EXPECT_NEAR(solid->getGlobalPosition().y, 1.0f, 0.02f);

    // A pair disabled while bodies already rest on each other lets go of them too.
    world.scene->setGroupCollisionFlag(GROUP_SOLID, GROUP_SOLID, false);
    frames(world, 60);
    EXPECT_LT(solid->getGlobalPosition().y, -2.0f);
}

TEST_F(PhysicsActors, PosesShapesAndUserData) {
    physics::Actor* wall = createBoxActor(&world, 0, 0, 0, 1, 1, 1);
    ASSERT_EQ(wall->getNbShapes(), 1u);
    physics::Shape* shape = wall->getShapes().front();
    EXPECT_EQ(shape->getType(), physics::ShapeType::Box);
    EXPECT_EQ(&shape->getActor(), wall);
    EXPECT_EQ(shape->getGroup(), GROUP_DEFAULT);
    EXPECT_FALSE(shape->isTrigger());
    EXPECT_TRUE(createTriggerBoxActor(&world, 0, 0, 0, 1, 1, 1)->getShapes().front()->isTrigger());
    int marker = 0;
    wall->userData = &marker;
    shape->userData = &marker;
    EXPECT_EQ(world.scene->getActors()[0]->userData, &marker);

    // A static actor moved by its pose: a box dropped there lands on it. The scale in
    // the pose is dropped, the rotation kept.
    physics::Pose pose;
    pose.rotation = glm::mat3(glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), {0, 1, 0}) *
                              glm::scale(glm::mat4(1.0f), glm::vec3(3.0f)));
    pose.translation = {10, 0, 0};
    wall->setGlobalPose(pose);
    const physics::Pose placed = wall->getGlobalPose();
    EXPECT_EQ(wall->getGlobalPosition(), glm::vec3(10, 0, 0));
    EXPECT_NEAR(placed.rotation[0].z, -1.0f, 1e-5f);
    EXPECT_NEAR(glm::length(placed.rotation[1]), 1.0f, 1e-5f);
    const glm::mat4 matrix = placed.toMatrix();
    EXPECT_EQ(glm::vec3(matrix[3]), glm::vec3(10, 0, 0));
    physics::Actor* box = crate(10, 3, 0);
    frames(world, 90);
    EXPECT_NEAR(box->getGlobalPosition().y, 1.5f, 0.02f);

    // A pose that is not finite is ignored.
    physics::Pose broken = pose;
    broken.translation.x = std::numeric_limits<float>::quiet_NaN();
    wall->setGlobalPose(broken);
    EXPECT_EQ(wall->getGlobalPosition(), glm::vec3(10, 0, 0));
}

TEST_F(PhysicsActors, ImpulsesActInTheNextStepAndWakeTheBody) {
    createBoxActor(&world, 0, 0, 0, 50, 0, 50);
    physics::Actor* box = crate(0, 0.5f, 0, 0.5f, 4.0f);
    frames(world, 180); // settles and falls asleep
    const glm::vec3 rest = box->getGlobalPosition();

    box->addForceAtLocalPos({8, 0, 0}, {0, 0, 0}, physics::ForceMode::Impulse, true);
    EXPECT_EQ(box->getGlobalPosition(), rest) << "nothing moves before the step";
    frame(world);
    // 8 units of impulse on 4 units of mass: 2 units a second, less one step of friction.
    const float moved = box->getGlobalPosition().x - rest.x;
    EXPECT_GT(moved, 1.5f * kStep);
    EXPECT_LT(moved, 2.0f * kStep + 1e-4f);

    physics::Actor* still = createBoxActor(&world, 5, 5, 5, 1, 1, 1);
    still->addForceAtLocalPos({100, 0, 0}, {0, 0, 0}, physics::ForceMode::Impulse, true);
    frame(world);
    EXPECT_EQ(still->getGlobalPosition(), glm::vec3(5, 5, 5));
}

TEST_F(PhysicsActors, ASinkingPlatformWakesWhatSleepsOnIt) {
    physics::Actor* platform = createBoxActor(&world, 0, 0, 0, 5, 0.5f, 5);
    physics::Actor* box = crate(0, 1, 0);
    frames(world, 240);
    ASSERT_TRUE(box->isSleeping());
    EXPECT_NEAR(box->getGlobalPosition().y, 1.0f, 0.02f);

    platform->setGlobalPose(physics::Pose::fromTranslation({0, -1, 0}));
    frames(world, 60);
    EXPECT_NEAR(box->getGlobalPosition().y, 0.0f, 0.02f);
}

TEST_F(PhysicsActors, KinematicMeshesAreMovedNotPushed) {
    const Mesh board = boxMesh({2, 0.25f, 2});
    physics::Actor* lift = createKinematicMeshActor(&world, board, 3, 0, 1, 0);
    ASSERT_NE(lift, nullptr);
    EXPECT_FALSE(lift->isDynamic());
    EXPECT_TRUE(lift->isKinematic());
    EXPECT_EQ(lift->getShapes().front()->getType(), physics::ShapeType::TriangleMesh);
    physics::Actor* rider = crate(0, 2, 0);
    frames(world, 60);
    EXPECT_NEAR(lift->getGlobalPosition().y, 1.0f, 1e-6f) << "gravity does not pull it";
    EXPECT_NEAR(rider->getGlobalPosition().y, 1.75f, 0.03f);

    // Raised frame by frame, it carries the box up.
    for (int i = 1; i <= 60; ++i) {
        lift->setGlobalPose(physics::Pose::fromTranslation({0, 1 + i * 0.02f, 0}));
        frame(world);
    }
    EXPECT_NEAR(rider->getGlobalPosition().y, 2.95f, 0.05f);
}

TEST_F(PhysicsActors, TheSceneRefusesActorsItCannotSimulate) {
    physics::ActorDesc empty;
    EXPECT_EQ(world.scene->createActor(empty), nullptr) << "no shape";

    physics::ActorDesc weightless;
    weightless.body = physics::BodyDesc{};
    weightless.boxes.push_back(physics::BoxShapeDesc{{1, 1, 1}});
    EXPECT_EQ(world.scene->createActor(weightless), nullptr) << "a dynamic body without mass";

    EXPECT_EQ(createConvexActor(&world, boxMesh({1, 1, 1}), 0.0f, 0, 0, 0), nullptr);
    EXPECT_EQ(createBoxActor(&world, 0, std::numeric_limits<float>::infinity(), 0, 1, 1, 1),
              nullptr);
    EXPECT_EQ(createBoxActor(&world, 0, 0, 0, -1, 1, 1), nullptr);
    EXPECT_EQ(createBoxActor(nullptr, 0, 0, 0, 1, 1, 1), nullptr);
    EXPECT_EQ(world.scene->getNbActors(), 0u);
}

TEST_F(PhysicsActors, ActorPairFlagsAreKept) {
    physics::Actor* a = createBoxActor(&world, 0, 0, 0, 1, 1, 1);
    physics::Actor* b = createTriggerBoxActor(&world, 0, 0, 0, 1, 1, 1);
    physics::Actor* c = createBoxActor(&world, 5, 0, 0, 1, 1, 1);
    const unsigned flags =
        physics::NotifyOnStartTouch | physics::NotifyOnEndTouch | physics::NotifyOnTouch;
    EXPECT_EQ(flags, 14u);
    world.scene->setActorPairFlags(*a, *b, flags);
    EXPECT_EQ(world.scene->getActorPairFlags(*b, *a), 14u);
    EXPECT_EQ(world.scene->getActorPairFlags(*a, *c), 0u);
}
