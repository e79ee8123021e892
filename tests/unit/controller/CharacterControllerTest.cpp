// The capsule controller: collide and slide against the real collision engine.
#include "../../support/PhysicsTestHelpers.h"

#include "physics/ActorTag.h"
#include "physics/CharacterController.h"
#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

using namespace physics_test;

namespace {

constexpr float kRadius = 0.8f;
constexpr float kHeight = 0.5f;
constexpr float kSkin = 0.01f;
// Centre height of the capsule standing on a floor at y = 0.
constexpr float kStandingY = kRadius + kHeight / 2 + kSkin;
constexpr unsigned kSolidOnly = 1u << GROUP_SOLID;

class CharacterController : public PhysicsScene {
protected:
    void SetUp() override {
        PhysicsScene::SetUp();
        floor = solid(createBoxActor(&world, 0, 0, 0, 50, 0, 50));
    }

    physics::Controller* character(float x, float y, float z) {
        physics::Controller* made =
            createCharacterController(&world, x, y, z, kRadius, kHeight, kSkin, 45, 0.5f);
        EXPECT_NE(made, nullptr);
        setActorCollisionGroup(made->getActor(), GROUP_DEFAULT);
        return made;
    }

    physics::Actor* solid(physics::Actor* actor, std::uint16_t group = GROUP_SOLID) {
        EXPECT_NE(actor, nullptr);
        setActorCollisionGroup(actor, group);
        return actor;
    }

    // A wedge rising along +x from x = 2 at the given angle, as a static mesh cooked at
    // the scale.
    physics::Actor* ramp(float degrees, const glm::vec3& scale = glm::vec3(1.0f)) {
        const float length = 6.0f;
        const float top = length * std::tan(glm::radians(degrees));
        const Mesh mesh =
            meshOf({{2, 0, -5}, {2, 0, 5}, {2 + length, top, 5}, {2 + length, top, -5}},
                   {0, 1, 2, 0, 2, 3});
        return solid(createStaticMeshActor(&world, mesh, 0, 0, 0, scale));
    }

    // Moves every frame as the game does and returns the last move's flags.
    unsigned walk(physics::Controller& controller, const glm::vec3& step, int count,
                  unsigned groups = kSolidOnly) {
        unsigned flags = 0;
        for (int i = 0; i < count; ++i) {
            controller.move(step, groups, 0.001f, flags, 1.0f);
            world.controllerManager()->updateControllers();
        }
        return flags;
    }

    physics::Actor* floor = nullptr;
};

glm::vec3 at(const physics::Controller& controller) {
    return glm::vec3(controller.getPosition());
}

} // namespace

TEST_F(CharacterController, StandsOnTheFloorAndItsActorFollows) {
    physics::Controller* c = character(0, 3, 0);
    EXPECT_EQ(walk(*c, {0, -1, 0}, 3), physics::CollisionDown);
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f);
    EXPECT_EQ(walk(*c, {0, -0.05f, 0}, 10), physics::CollisionDown);
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f);
    EXPECT_EQ(c->getActor()->getGlobalPosition(), at(*c));
    EXPECT_TRUE(c->getActor()->isKinematic());
    // Standing still still reads as standing.
    EXPECT_EQ(walk(*c, {0, 0, 0}, 1), physics::CollisionDown);
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f);
}

TEST_F(CharacterController, WallsStopAndSlide) {
    solid(createBoxActor(&world, 3, 3, 0, 0.5f, 3, 20));
    physics::Controller* c = character(0, kStandingY, 0);
    const unsigned flags = walk(*c, {0.1f, -0.05f, 0.1f}, 60);
    EXPECT_EQ(flags, physics::CollisionSides | physics::CollisionDown);
    EXPECT_NEAR(at(*c).x, 2.5f - kRadius - kSkin, 5e-3f);
    EXPECT_NEAR(at(*c).z, 6.0f, 0.05f) << "slides along the wall at full speed";
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f);
}

TEST_F(CharacterController, ClimbsStepsUpToTheStepOffset) {
    solid(createBoxActor(&world, 3, 0.2f, -5, 1, 0.2f, 3)); // 0.4 high, at z = -5
    solid(createBoxActor(&world, 3, 0.3f, 5, 1, 0.3f, 3));  // 0.6 high, at z = 5
    physics::Controller* low = character(0, kStandingY, -5);
    physics::Controller* high = character(0, kStandingY, 5);
    walk(*low, {0.1f, -0.1f, 0}, 30);
    walk(*high, {0.1f, -0.1f, 0}, 30);
    EXPECT_GT(at(*low).x, 2.9f);
    EXPECT_NEAR(at(*low).y, 0.4f + kStandingY, 2e-3f);
    // Held back by the step's top edge, which meets the capsule's round bottom.
    EXPECT_NEAR(at(*high).x, 2.0f - std::sqrt(0.81f * 0.81f - 0.21f * 0.21f), 0.02f);
    EXPECT_NEAR(at(*high).y, kStandingY, 2e-3f);
}

TEST_F(CharacterController, ClimbsAFlightOfStepsWithMovesLongerThanATread) {
    // Five steps 0.4 high with treads 1.2 deep, the first riser at x = 2: a frame's walk
    // at 20 and at 60 frames a second both carry the capsule past a tread.
    for (int i = 0; i < 5; ++i) {
        const float top = 0.4f * static_cast<float>(i + 1);
        solid(createBoxActor(&world, 2.0f + 1.2f * static_cast<float>(i) + 10.0f, top / 2, 0, 10.0f,
                             top / 2, 20.0f));
    }
    for (const float move : {2.0f, 40.0f / 60.0f}) {
        physics::Controller* c = character(0, kStandingY, move > 1.0f ? -5.0f : 5.0f);
        walk(*c, {move, -0.1f, 0}, static_cast<int>(std::ceil(9.0f / move)) + 4);
        EXPECT_GT(at(*c).x, 8.5f) << "moves of " << move;
        EXPECT_NEAR(at(*c).y, 2.0f + kStandingY, 2e-3f) << "moves of " << move;
    }
}

TEST_F(CharacterController, EdgesAboveTheStepOffsetHoldEvenWhenRounded) {
    // Bullet rounds box edges by their margin: a contact on the edge of a 0.52 step lies
    // below the step offset, the step's top does not.
    solid(createBoxActor(&world, 3, 0.26f, -5, 1, 0.26f, 3));
    // A thin rail is no step: the capsule must not slide up its edge and drop behind it.
    solid(createBoxActor(&world, 2.05f, 0.3f, 5, 0.05f, 0.3f, 3));
    physics::Controller* step = character(0, kStandingY, -5);
    physics::Controller* rail = character(0, kStandingY, 5);
    physics::Controller* leap = character(0, kStandingY, 6);
    walk(*step, {0.05f, -0.1f, 0}, 60);
    walk(*rail, {0.3f, -0.1f, 0}, 20);
    walk(*leap, {4.0f, -0.1f, 0}, 1);
    EXPECT_LT(at(*step).x, 2.0f);
    EXPECT_NEAR(at(*step).y, kStandingY, 2e-3f);
    for (const physics::Controller* stopped : {rail, leap}) {
        EXPECT_LT(at(*stopped).x, 2.0f);
        EXPECT_NEAR(at(*stopped).y, kStandingY, 2e-3f);
    }
}

TEST_F(CharacterController, ClimbsGentleSlopesOnly) {
    ramp(30);
    physics::Controller* c = character(0, kStandingY, 0);
    EXPECT_EQ(walk(*c, {0.1f, -0.1f, 0}, 50), physics::CollisionDown);
    EXPECT_NEAR(at(*c).x, 5.0f, 1e-3f) << "walked up at full speed";
    // On a slope the capsule's sphere touches the surface along its normal.
    const float angle = glm::radians(30.0f);
    const float onRamp = 3 * std::tan(angle) + (kRadius + kSkin) / std::cos(angle) + kHeight / 2;
    EXPECT_NEAR(at(*c).y, onRamp, 0.01f);
}

TEST_F(CharacterController, AMirroredMeshHoldsThoughItsTrianglesFaceDown) {
    // Mirrored in z the wedge lies where it did, its triangles wound the other way round.
    ramp(30, {1, 1, -1});
    physics::Controller* c = character(0, kStandingY, 0);
    EXPECT_EQ(walk(*c, {0.1f, -0.1f, 0}, 50), physics::CollisionDown);
    EXPECT_NEAR(at(*c).x, 5.0f, 1e-3f);
    EXPECT_GT(at(*c).y, kStandingY + 1.5f) << "up on the slope";
}

TEST_F(CharacterController, RefusesSteepSlopes) {
    ramp(60);
    physics::Controller* c = character(0, kStandingY, 0);
    const unsigned flags = walk(*c, {0.1f, -0.1f, 0}, 50);
    EXPECT_LT(at(*c).x, 2.0f);
    EXPECT_LT(at(*c).y, kStandingY + 0.05f);
    EXPECT_TRUE(flags & physics::CollisionSides);
}

TEST_F(CharacterController, JumpIntoACeiling) {
    solid(createBoxActor(&world, 0, 3.5f, 0, 5, 0.5f, 5));
    physics::Controller* c = character(0, kStandingY, 0);
    EXPECT_EQ(walk(*c, {0, 2, 0}, 1), physics::CollisionUp);
    EXPECT_NEAR(at(*c).y + kHeight / 2 + kRadius, 3.0f - kSkin, 3e-3f);
    // Rising while walking meets it too.
    EXPECT_TRUE(walk(*c, {0.1f, 0.5f, 0}, 1) & physics::CollisionUp);
}

TEST_F(CharacterController, SweepsOnlyTheActiveGroups) {
    solid(createBoxActor(&world, 0, 6, 0, 2, 0.5f, 2), GROUP_PUSHABLE);
    solid(createBoxActor(&world, 0, 3, 0, 2, 0.5f, 2), GROUP_TRIGGER);
    physics::Controller* c = character(0, 10, 0);
    EXPECT_EQ(walk(*c, {0, -20, 0}, 1), physics::CollisionDown);
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f) << "fell through groups 2 and 3 onto the floor";

    physics::Controller* d = character(5, 10, 0);
    setActorCollisionGroup(floor, GROUP_SOLID);
    d->setPosition({0, 10, 0});
    walk(*d, {0, -20, 0}, 1, kSolidOnly | 1u << GROUP_PUSHABLE);
    EXPECT_NEAR(at(*d).y, 6.5f + kStandingY, 2e-3f) << "stopped on the group 2 box";
}

TEST_F(CharacterController, NeverTunnels) {
    solid(createBoxActor(&world, 20, 5, 0, 0.05f, 5, 5));
    const Mesh thinFloor = gridMesh(4, 10);
    solid(createStaticMeshActor(&world, thinFloor, 40, 2, 0));

    physics::Controller* c = character(0, 50, 0);
    EXPECT_EQ(walk(*c, {0, -100, 0}, 1), physics::CollisionDown);
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f);

    EXPECT_TRUE(walk(*c, {100, 0, 0}, 1) & physics::CollisionSides);
    EXPECT_NEAR(at(*c).x, 19.95f - kRadius - kSkin, 5e-3f);

    c->setPosition({40, 30, 0});
    EXPECT_EQ(walk(*c, {0, -100, 0}, 1), physics::CollisionDown);
    EXPECT_NEAR(at(*c).y, 2 + kStandingY, 2e-3f) << "a mesh with no thickness holds too";
}

TEST_F(CharacterController, TheSimulationPushesDynamicBoxes) {
    const Mesh crate = boxMesh({0.5f, 0.5f, 0.5f});
    physics::Actor* box = solid(createConvexActor(&world, crate, 1, 2.5f, 0.5f, 0), GROUP_PUSHABLE);
    physics::Controller* c = character(0, kStandingY, 0);
    for (int i = 0; i < 60; ++i) {
        walk(*c, {0.05f, -0.05f, 0}, 1);
        frame(world);
    }
    EXPECT_GT(box->getGlobalPosition().x, 3.5f);
    EXPECT_GT(at(*c).x, 2.5f);
}

TEST_F(CharacterController, AMeshWallBesideTheCapsuleIsNotHitByAFallingMove) {
    // A static triangle-mesh wall touching the capsule's side: a move straight down
    // grazes it and must neither stop on it nor report it (a fan beside the flame
    // would otherwise be touched on every frame).
    physics::Controller* c = character(0, kStandingY, 0);
    const float wallX = kRadius + kSkin;
    const Mesh wall = meshOf({{wallX, 0, -3}, {wallX, 4, -3}, {wallX, 4, 3}, {wallX, 0, 3}},
                             {0, 1, 2, 0, 2, 3, 0, 2, 1, 0, 3, 2});
    physics::Actor* wallActor = solid(createStaticMeshActor(&world, wall, 0, 0, 0));
    world.tagActors();
    const auto* tag = static_cast<const ActorTag*>(wallActor->userData);
    ASSERT_NE(tag, nullptr);
    frame(world);
    walk(*c, {0, -0.5f, 0}, 1);
    EXPECT_EQ(walk(*c, {0, -0.5f, 0}, 1), physics::CollisionDown);
    EXPECT_EQ(tag->touched, 0u);
    EXPECT_NEAR(at(*c).y, kStandingY, 2e-3f);
}
