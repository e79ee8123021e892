// What the scene and its actors tell the game between steps: the sphere sweep the
// camera is to use, and an actor's motion, rest, bounds and contacts.
#include "PhysicsTestHelpers.h"

#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"

#include <cmath>
#include <limits>

using namespace physics_test;

namespace {

constexpr float kRadius = 0.5f;
const unsigned kSolid = groupMask(GROUP_SOLID);

class SceneQueries : public PhysicsScene {
protected:
    physics::Actor* solidBox(float x, float y, float z, float half) {
        physics::Actor* box = createBoxActor(&world, x, y, z, half, half, half);
        setActorCollisionGroup(box, GROUP_SOLID);
        return box;
    }

    physics::SweepHit sweep(const glm::vec3& from, const glm::vec3& to, unsigned mask = ~0u,
                            const physics::Actor* ignore = nullptr, float radius = kRadius) {
        return world.scene->sweepSphere(from, to, radius, mask, ignore);
    }
};

} // namespace

TEST_F(SceneQueries, ASphereSweepStopsAtTheNearestShapeOfTheGroupsAsked) {
    physics::Actor* near = solidBox(5, 0, 0, 1);
    physics::Actor* far = solidBox(10, 0, 0, 1);
    physics::Actor* water = createTriggerBoxActor(&world, 2, 0, 0, 1, 1, 1);
    setActorCollisionGroup(water, GROUP_SOLID);
    physics::Actor* crate = createBoxActor(&world, 0, 0, 5, 1, 1, 1);
    setActorCollisionGroup(crate, GROUP_PUSHABLE);

    const physics::SweepHit hit = sweep({0, 0, 0}, {20, 0, 0}, kSolid);
    ASSERT_TRUE(hit.hit) << "through the water, which is a trigger";
    EXPECT_EQ(hit.shape, &near->getShape(0));
    EXPECT_NEAR(hit.distance, 5.0f - 1.0f - kRadius, 0.02f);
    EXPECT_NEAR(hit.point.x, 4.0f, 0.02f);
    EXPECT_NEAR(hit.normal.x, -1.0f, 1e-3f) << "facing back along the sweep";

    const physics::SweepHit past = sweep({0, 0, 0}, {20, 0, 0}, kSolid, near);
    ASSERT_TRUE(past.hit);
    EXPECT_EQ(past.shape, &far->getShape(0)) << "the ignored actor is seen through";
    EXPECT_NEAR(past.distance, 10.0f - 1.0f - kRadius, 0.02f);

    EXPECT_FALSE(sweep({0, 0, 0}, {20, 0, 0}, groupMask(GROUP_PUSHABLE)).hit);
    EXPECT_FALSE(sweep({0, 0, 0}, {3, 0, 0}, kSolid).hit) << "stops short of the box";
    EXPECT_EQ(sweep({0, 0, 0}, {0, 0, 20}, groupMask(GROUP_PUSHABLE)).shape, &crate->getShape(0));
}

TEST_F(SceneQueries, ASphereSweepMeetsMeshesAndMovingBodies) {
    physics::Actor* ground = createStaticMeshActor(&world, gridMesh(4, 20), 0, 0, 0);
    ASSERT_NE(ground, nullptr);
    const physics::SweepHit down = sweep({1, 5, 1}, {1, -5, 1});
    ASSERT_TRUE(down.hit);
    EXPECT_EQ(&down.shape->getActor(), ground);
    EXPECT_NEAR(down.distance, 5.0f - kRadius, 0.02f);
    EXPECT_NEAR(down.normal.y, 1.0f, 1e-3f);

    physics::Actor* crate = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 1, 6, 3, 0);
    frame(world);
    const physics::SweepHit side = sweep({0, crate->getGlobalPosition().y, 0}, {12, 3, 0});
    ASSERT_TRUE(side.hit);
    EXPECT_EQ(&side.shape->getActor(), crate);
}

TEST_F(SceneQueries, ASweepOfNothingOrOfBrokenNumbersMisses) {
    solidBox(0, 0, 0, 1);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(sweep({-5, 0, 0}, {5, 0, 0}, ~0u, nullptr, 0.0f).hit);
    EXPECT_FALSE(sweep({-5, 0, 0}, {5, 0, 0}, ~0u, nullptr, -1.0f).hit);
    EXPECT_FALSE(sweep({-5, 0, 0}, {5, 0, 0}, ~0u, nullptr, nan).hit);
    EXPECT_FALSE(sweep({-5, 0, 0}, {5, 0, 0}, ~0u, nullptr, inf).hit);
    EXPECT_FALSE(sweep({-5, 0, 0}, {-5, 0, 0}).hit);
    EXPECT_FALSE(sweep({nan, 0, 0}, {5, 0, 0}).hit);
    EXPECT_FALSE(sweep({-5, 0, 0}, {inf, 0, 0}).hit);
    EXPECT_FALSE(sweep({-5, 0, 0}, {5, 0, 0}, 0u).hit) << "an empty mask sees nothing";
    EXPECT_TRUE(sweep({-5, 0, 0}, {5, 0, 0}).hit);
}

TEST_F(SceneQueries, ActorsTellTheirMotionRestAndBounds) {
    physics::Actor* floor = createBoxActor(&world, 0, 0, 0, 20, 0, 20);
    physics::Actor* crate = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 1, 0, 3, 0);
    EXPECT_FALSE(crate->isSleeping());
    frames(world, 6);
    EXPECT_NEAR(crate->getLinearVelocity().y, world.gravity.y * 6 * kStep, 0.05f);
    EXPECT_EQ(floor->getLinearVelocity(), glm::vec3(0.0f));

    frames(world, 240);
    EXPECT_TRUE(crate->isSleeping());
    EXPECT_FALSE(floor->isSleeping()) << "only dynamic actors sleep";

    // A plane is thickened below its top face, which stays where the level put it.
    const physics::Bounds plane = floor->getLocalBounds();
    EXPECT_NEAR(plane.max.y, 0.0f, 1e-4f);
    EXPECT_LT(plane.min.y, 0.0f);
    EXPECT_NEAR(plane.max.x, 20.0f, 1e-4f);

    physics::Actor* wall = createBoxActor(&world, 3, 1, -2, 1, 2, 3);
    EXPECT_NEAR(wall->getLocalBounds().halfExtents().z, 3.0f, 1e-4f);
    const physics::Bounds placed = wall->getWorldBounds();
    EXPECT_NEAR(placed.min.x, 2.0f, 1e-4f);
    EXPECT_NEAR(placed.max.y, 3.0f, 1e-4f);
    EXPECT_NEAR(placed.centre().z, -2.0f, 1e-4f);
}

TEST_F(SceneQueries, ContactsCountWhatRestsOnAnActorNotWhatOnlyOverlapsIt) {
    physics::Actor* floor = createBoxActor(&world, 0, 0, 0, 20, 0, 20);
    physics::Actor* crate = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 1, 0, 0.5f, 0);
    physics::Actor* high = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 1, 8, 30, 0);
    physics::Actor* water = createTriggerBoxActor(&world, 0, 0.5f, 0, 2, 2, 2);
    frames(world, 30);
    EXPECT_GT(world.scene->getContactCount(*crate), 0u);
    EXPECT_EQ(world.scene->getContactCount(*crate), world.scene->getContactCount(*floor));
    EXPECT_EQ(world.scene->getContactCount(*high), 0u) << "still falling";
    EXPECT_EQ(world.scene->getContactCount(*water), 0u) << "triggers push nothing";
}
