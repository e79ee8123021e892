// Tearing a level's physics down and building it again in the same world: what is
// released leaves nothing behind that a step, a trigger or a query could still reach.
#include "../../support/PhysicsTestHelpers.h"

#include "physics/CharacterController.h"
#include "physics/CollisionGroups.h"
#include "physics/MemoryReadBuffer.h"
#include "physics/MemoryWriteBuffer.h"
#include "physics/PhysicsActors.h"

#include <tuple>
#include <vector>

using namespace physics_test;

namespace {

constexpr float kStandingY = 0.8f + 0.25f + 0.01f;

// A level's worth of physics, as the loader builds it.
struct Level {
    physics::Actor* floor = nullptr;
    physics::Actor* water = nullptr;
    physics::Actor* crate = nullptr;
    physics::Actor* ramp = nullptr;
    physics::Actor* lift = nullptr;
    physics::Controller* hero = nullptr;
};

using Event = std::tuple<physics::Shape*, physics::Shape*, unsigned>;

class RecordingTriggerReport : public physics::UserTriggerReport {
public:
    void onTrigger(physics::Shape& trigger, physics::Shape& other, unsigned status) override {
        events.emplace_back(&trigger, &other, status);
    }
    std::vector<Event> events;
};

class PhysicsRelease : public PhysicsScene {
protected:
    Level build() {
        Level level;
        level.floor = createBoxActor(&world, 0, 0, 0, 30, 0, 30);
        level.water = createTriggerBoxActor(&world, 10, 1, 0, 3, 1, 3);
        level.crate = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 1, -5, 0.5f, 0);
        level.ramp = createStaticMeshActor(&world, gridMesh(2, 4), 0, 0.5f, 10);
        level.lift = createKinematicMeshActor(&world, boxMesh({2, 0.25f, 2}), 1, 10, 0.25f, 10);
        level.hero =
            createCharacterController(&world, 0, kStandingY + 0.5f, 0, 0.8f, 0.5f, 0.01f, 45, 0.5f);
        EXPECT_TRUE(level.floor && level.water && level.crate && level.ramp && level.lift &&
                    level.hero);
        setActorCollisionGroup(level.floor, GROUP_SOLID);
        setActorCollisionGroup(level.water, GROUP_TRIGGER);
        setActorCollisionGroup(level.crate, GROUP_PUSHABLE);
        setActorCollisionGroup(level.ramp, GROUP_SOLID);
        setActorCollisionGroup(level.lift, GROUP_SOLID);
        world.tagActors();
        world.scene->setActorPairFlags(*level.hero->getActor(), *level.water,
                                       physics::NotifyOnTouchEvents);
        return level;
    }

    unsigned fall(physics::Controller& hero) {
        unsigned flags = 0;
        hero.move({0, -1, 0}, kCharacterMoveGroups, 0.001f, flags);
        world.controllerManager()->updateControllers();
        return flags;
    }

    physics::ConvexMesh* cookedHull() {
        const Mesh cube = boxMesh(glm::vec3(0.5f));
        physics::ConvexMeshDesc desc;
        desc.numVertices = static_cast<std::uint32_t>(cube.vertexCount);
        desc.points = cube.cookingPositions.data();
        desc.pointStrideBytes = sizeof(glm::vec3);
        desc.flags = physics::ConvexComputeConvex;
        MemoryWriteBuffer written;
        EXPECT_TRUE(world.cooking->cookConvexMesh(desc, written));
        return world.sdk->createConvexMesh(MemoryReadBuffer(written));
    }

    physics::ActorDesc crateOf(physics::ConvexMesh* hull, unsigned shapes, float x) {
        physics::ActorDesc desc;
        desc.globalPose = physics::Pose::fromTranslation({x, 3, 0});
        desc.body = physics::BodyDesc{};
        desc.density = 1;
        desc.convexes.assign(shapes, physics::ConvexShapeDesc{hull});
        return desc;
    }

    physics::Scene& scene() { return *world.scene; }
    physics::PhysicsSdk& sdk() { return *world.sdk; }
};

} // namespace

TEST_F(PhysicsRelease, ALevelReleasedPieceByPieceLeavesNothingBehind) {
    Level level = build();
    frames(world, 10);
    ASSERT_EQ(scene().getNbActors(), 6u);
    EXPECT_EQ(sdk().getNbConvexMeshes(), 1u);
    EXPECT_EQ(sdk().getNbTriangleMeshes(), 2u);
    EXPECT_EQ(world.getNbActorTags(), 6u);
    EXPECT_EQ(world.getNbShapeTags(), 6u);
    EXPECT_EQ(level.crate->getShape(0).getConvexMesh()->getReferenceCount(), 1u);
    world.tagActors();
    EXPECT_EQ(world.getNbActorTags(), 6u) << "tagged afresh, the old tags dropped";

    EXPECT_TRUE(world.releaseActor(level.crate));
    EXPECT_EQ(scene().getNbActors(), 5u);
    EXPECT_EQ(sdk().getNbConvexMeshes(), 0u) << "the hull went with its only shape";
    EXPECT_EQ(world.getNbActorTags(), 5u);
    EXPECT_EQ(world.getNbShapeTags(), 5u);
    frame(world);

    EXPECT_TRUE(world.releaseActor(level.ramp));
    EXPECT_TRUE(world.releaseActor(level.lift));
    EXPECT_EQ(sdk().getNbTriangleMeshes(), 0u);
    EXPECT_TRUE(world.releaseCharacterController(level.hero));
    EXPECT_EQ(world.controllerManager()->getNbControllers(), 0u);
    EXPECT_TRUE(world.releaseActor(level.water));
    EXPECT_TRUE(world.releaseActor(level.floor));
    frame(world);

    EXPECT_EQ(scene().getNbActors(), 0u);
    EXPECT_EQ(world.getNbActorTags(), 0u);
    EXPECT_EQ(world.getNbShapeTags(), 0u);
    EXPECT_EQ(sdk().getNbConvexMeshes() + sdk().getNbTriangleMeshes(), 0u);
}

TEST_F(PhysicsRelease, WhatIsNotTheWorldsToReleaseIsLeftAlone) {
    EXPECT_FALSE(world.releaseActor(nullptr));
    EXPECT_FALSE(world.releaseCharacterController(nullptr));

    PhysicsWorld other;
    ASSERT_TRUE(other.initPhysics());
    physics::Actor* stranger = createBoxActor(&other, 0, 0, 0, 1, 1, 1);
    physics::Controller* strangerHero =
        createCharacterController(&other, 0, 5, 0, 0.8f, 0.5f, 0.01f, 45, 0.5f);
    EXPECT_FALSE(world.releaseActor(stranger));
    EXPECT_FALSE(scene().releaseActor(*stranger));
    EXPECT_FALSE(world.releaseCharacterController(strangerHero));
    EXPECT_FALSE(world.controllerManager()->releaseController(*strangerHero));
    EXPECT_EQ(other.scene->getNbActors(), 2u);

    // A controller's actor released as an actor takes its controller along.
    EXPECT_TRUE(other.releaseActor(strangerHero->getActor()));
    EXPECT_EQ(other.controllerManager()->getNbControllers(), 0u);
    EXPECT_EQ(other.scene->getNbActors(), 1u);
}

TEST_F(PhysicsRelease, AMeshIsFreedOnlyOnceNoShapeUsesIt) {
    physics::ConvexMesh* hull = cookedHull();
    ASSERT_NE(hull, nullptr);
    physics::Actor* twin = scene().createActor(crateOf(hull, 2, 0));
    physics::Actor* single = scene().createActor(crateOf(hull, 1, 5));
    ASSERT_TRUE(twin && single);
    EXPECT_EQ(hull->getReferenceCount(), 3u);
    EXPECT_FALSE(sdk().releaseConvexMesh(*hull)) << "still in use";

    EXPECT_TRUE(world.releaseActor(single));
    EXPECT_EQ(hull->getReferenceCount(), 2u);
    EXPECT_EQ(sdk().getNbConvexMeshes(), 1u);
    // Both shapes of this actor name the same hull: it is freed once, after the actor.
    EXPECT_TRUE(world.releaseActor(twin));
    EXPECT_EQ(sdk().getNbConvexMeshes(), 0u);

    // A mesh no actor took is the caller's to free, and another SDK's is refused.
    physics::ConvexMesh* spare = cookedHull();
    PhysicsWorld other;
    ASSERT_TRUE(other.initPhysics());
    EXPECT_FALSE(other.sdk->releaseConvexMesh(*spare));
    EXPECT_TRUE(sdk().releaseConvexMesh(*spare));
    EXPECT_EQ(sdk().getNbConvexMeshes(), 0u);
}

TEST_F(PhysicsRelease, TriggersForgetWhatLeftTheSceneWithoutALeaveEvent) {
    RecordingTriggerReport recorder;
    physics::SceneDesc desc;
    desc.userTriggerReport = &recorder;
    physics::Scene& own = *sdk().createScene(desc);
    physics::ActorDesc water;
    water.boxes.push_back(physics::BoxShapeDesc{
        glm::vec3(3), 0, 0, physics::ShapeFlagDefault | physics::ShapeTriggerEnable});
    physics::ActorDesc swimmer;
    swimmer.body = physics::BodyDesc{physics::BodyFlagDefault | physics::BodyFlagKinematic};
    swimmer.boxes.push_back(physics::BoxShapeDesc{glm::vec3(0.5f)});
    auto step = [&] {
        recorder.events.clear();
        own.simulate(kStep);
        own.fetchResults(physics::RigidBodyFinished, true);
        return recorder.events.size();
    };

    physics::Actor* pool = own.createActor(water);
    physics::Actor* inside = own.createActor(swimmer);
    EXPECT_EQ(step(), 1u) << "enter";
    EXPECT_EQ(step(), 1u) << "stay";
    ASSERT_TRUE(own.releaseActor(*inside));
    EXPECT_EQ(step(), 0u) << "no leave naming a shape that is gone";

    physics::Actor* again = own.createActor(swimmer);
    EXPECT_EQ(step(), 1u);
    EXPECT_EQ(std::get<2>(recorder.events.front()), physics::TriggerOnEnter)
        << "a new actor enters afresh, even at the old one's address";
    ASSERT_TRUE(own.releaseActor(*pool));
    EXPECT_EQ(step(), 0u);
    EXPECT_EQ(own.getNbActors(), 1u);
    EXPECT_EQ(own.getContactCount(*again), 0u);
}

TEST_F(PhysicsRelease, PairFlagsOfAReleasedActorAreGoneForItsSuccessor) {
    Level level = build();
    physics::Actor& hero = *level.hero->getActor();
    ASSERT_EQ(scene().getActorPairFlags(hero, *level.water), physics::NotifyOnTouchEvents);
    ASSERT_TRUE(world.releaseActor(level.water));
    // The next actor may well be made where the released one was.
    for (int i = 0; i < 4; ++i) {
        physics::Actor* next = createTriggerBoxActor(&world, 10, 1, 0, 3, 1, 3);
        EXPECT_EQ(scene().getActorPairFlags(hero, *next), 0u);
    }
    frames(world, 3);
}

TEST_F(PhysicsRelease, ReleasedManagersTakeTheirControllersOutOfTheScene) {
    physics::ControllerManager* spare = sdk().createControllerManager();
    physics::CapsuleControllerDesc desc;
    desc.position = {0, 5, 0};
    desc.radius = 0.8f;
    desc.height = 0.5f;
    desc.skinWidth = 0.01f;
    ASSERT_NE(spare->createController(world.scene, desc), nullptr);
    desc.position = {4, 5, 0};
    ASSERT_NE(spare->createController(world.scene, desc), nullptr);
    ASSERT_EQ(scene().getNbActors(), 2u);
    EXPECT_TRUE(sdk().releaseControllerManager(*spare));
    EXPECT_EQ(scene().getNbActors(), 0u);
    frame(world);
}

TEST_F(PhysicsRelease, ALevelBuiltAgainStandsLikeTheFirst) {
    Level first = build();
    for (physics::Actor* actor : {first.floor, first.water, first.crate, first.ramp, first.lift}) {
        ASSERT_TRUE(world.releaseActor(actor));
    }
    ASSERT_TRUE(world.releaseCharacterController(first.hero));
    frame(world);

    Level second = build();
    EXPECT_EQ(scene().getNbActors(), 6u);
    EXPECT_EQ(world.getNbActorTags(), 6u);
    EXPECT_EQ(world.controllerManager()->getNbControllers(), 1u);
    EXPECT_EQ(fall(*second.hero) & physics::CollisionDown, physics::CollisionDown);
    EXPECT_NEAR(second.hero->getPosition().y, kStandingY, 0.02);
    frames(world, 60);
    EXPECT_NEAR(second.crate->getGlobalPosition().y, 0.5f, 0.05f) << "the crate rests too";
}
