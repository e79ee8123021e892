// Trigger events of the scene and the game's two reports on top of them.
#include "../../support/PhysicsTestHelpers.h"

#include "physics/CharacterController.h"
#include "physics/CollisionGroups.h"
#include "physics/PhysicsActors.h"

#include <vector>

using namespace physics_test;

namespace {

constexpr float kStandingY = 0.8f + 0.25f + 0.01f;

struct TriggerEvent {
    physics::Shape* trigger;
    physics::Shape* other;
    unsigned status;
    bool operator==(const TriggerEvent&) const = default;
};

class RecordingTriggerReport : public physics::UserTriggerReport {
public:
    void onTrigger(physics::Shape& trigger, physics::Shape& other, unsigned status) override {
        events.push_back({&trigger, &other, status});
    }
    std::vector<TriggerEvent> events;
};

class RecordingHitReport : public physics::UserControllerHitReport {
public:
    physics::ControllerAction onShapeHit(const physics::ControllerShapeHit& hit) override {
        shapes.push_back(hit.shape);
        return physics::ActionNone;
    }
    physics::ControllerAction onControllerHit(const physics::ControllersHit& hit) override {
        controllers.push_back(hit.other);
        return physics::ActionNone;
    }
    std::vector<physics::Shape*> shapes;
    std::vector<physics::Controller*> controllers;
};

physics::Actor* kinematicCapsule(physics::Scene& scene, const glm::vec3& at) {
    physics::ActorDesc desc;
    desc.globalPose = physics::Pose::fromTranslation(at);
    desc.body = physics::BodyDesc{physics::BodyFlagDefault | physics::BodyFlagKinematic};
    desc.capsules.push_back(physics::CapsuleShapeDesc{0.8f, 0.5f});
    return scene.createActor(desc);
}

physics::Actor* box(physics::Scene& scene, const glm::vec3& at, const glm::vec3& half,
                    unsigned flags, std::optional<physics::BodyDesc> body = std::nullopt) {
    physics::ActorDesc desc;
    desc.globalPose = physics::Pose::fromTranslation(at);
    desc.body = body;
    desc.density = 1.0f;
    desc.boxes.push_back(physics::BoxShapeDesc{half, 0, 0, flags});
    return scene.createActor(desc);
}

ActorTag& tagOf(const physics::Actor* actor) {
    return *static_cast<ActorTag*>(actor->userData);
}

} // namespace

TEST(TriggerEvents, EnterStayAndLeaveEveryStepOnTheGameThread) {
    auto sdk = physics::createPhysicsSdk(physics::kSdkVersion);
    RecordingTriggerReport report;
    physics::SceneDesc sceneDesc;
    sceneDesc.userTriggerReport = &report;
    physics::Scene& scene = *sdk->createScene(sceneDesc);

    const unsigned allEvents = physics::ShapeFlagDefault | physics::ShapeTriggerEnable;
    physics::Actor* water = box(scene, {0, 0, 0}, {2, 2, 2}, allEvents);
    physics::Actor* stayOnly =
        box(scene, {20, 0, 0}, {2, 2, 2}, physics::ShapeFlagDefault | physics::ShapeTriggerOnStay);
    box(scene, {0, 0, 0}, {0.5f, 0.5f, 0.5f}, physics::ShapeFlagDefault); // static: never reported
    physics::Actor* swimmer = kinematicCapsule(scene, {10, 0, 0});
    physics::Shape* waterShape = water->getShapes().front();
    physics::Shape* swimmerShape = swimmer->getShapes().front();

    auto step = [&](float dt) {
        report.events.clear();
        scene.simulate(dt);
        EXPECT_TRUE(report.events.empty()) << "nothing is delivered before fetchResults";
        scene.fetchResults(physics::RigidBodyFinished, true);
        return report.events;
    };
    using Events = std::vector<TriggerEvent>;
    EXPECT_EQ(step(kStep), Events{});

    swimmer->setGlobalPose(physics::Pose::fromTranslation({1, 0, 0}));
    EXPECT_EQ(step(kStep), (Events{{waterShape, swimmerShape, physics::TriggerOnEnter}}));
    EXPECT_EQ(step(kStep), (Events{{waterShape, swimmerShape, physics::TriggerOnStay}}));
    EXPECT_EQ(step(2 * kStep), (Events(2, {waterShape, swimmerShape, physics::TriggerOnStay})));
    EXPECT_EQ(step(kStep / 4), Events{}) << "no step, no event";

    swimmer->setGlobalPose(physics::Pose::fromTranslation({10, 0, 0}));
    EXPECT_EQ(step(kStep), (Events{{waterShape, swimmerShape, physics::TriggerOnLeave}}));
    EXPECT_EQ(step(kStep), Events{});

    // A trigger hears only the events its flags ask for.
    swimmer->setGlobalPose(physics::Pose::fromTranslation({20, 0, 0}));
    physics::Shape* stayShape = stayOnly->getShapes().front();
    EXPECT_EQ(step(kStep), Events{});
    EXPECT_EQ(step(kStep), (Events{{stayShape, swimmerShape, physics::TriggerOnStay}}));

    // A disabled group pair sets off nothing.
    scene.setGroupCollisionFlag(0, 0, false);
    EXPECT_EQ(step(kStep), (Events{}));
}

class Reports : public PhysicsScene {
protected:
    void SetUp() override {
        PhysicsScene::SetUp();
        floor = createBoxActor(&world, 0, 0, 0, 50, 0, 50);
        setActorCollisionGroup(floor, GROUP_SOLID);
    }

    physics::Controller* character(float x, float z) {
        physics::Controller* made =
            createCharacterController(&world, x, kStandingY, z, 0.8f, 0.5f, 0.01f, 45, 0.5f);
        setActorCollisionGroup(made->getActor(), GROUP_DEFAULT);
        return made;
    }

    unsigned move(physics::Controller& c, const glm::vec3& step, unsigned groups) {
        unsigned flags = 0;
        c.move(step, groups, 0.001f, flags, 1.0f);
        world.controllerManager()->updateControllers();
        return flags;
    }

    physics::Actor* floor = nullptr;
};

TEST_F(Reports, TheCharacterInWaterIsReportedEveryStepABoxNever) {
    physics::Actor* water = createTriggerBoxActor(&world, 0, 1, 0, 3, 1, 3);
    physics::Actor* boxWater = createTriggerBoxActor(&world, 20, 1, 0, 3, 1, 3);
    setActorCollisionGroup(water, GROUP_TRIGGER);
    setActorCollisionGroup(boxWater, GROUP_TRIGGER);
    physics::Actor* crate = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 1, 20, 0.5f, 0);
    setActorCollisionGroup(crate, GROUP_PUSHABLE);
    physics::Controller* swimmer = character(-10, 0);
    world.tagActors();

    frame(world);
    EXPECT_EQ(tagOf(water).touched, 0u);
    swimmer->setPosition({0, kStandingY, 0});
    frame(world); // enter alone changes nothing
    EXPECT_EQ(tagOf(water).touched, 0u);
    for (int i = 0; i < 5; ++i) {
        frame(world);
        EXPECT_EQ(tagOf(water).touched, 1u) << "step " << i;
        tagOf(water).touched = 0; // as the game objects do
    }
    swimmer->setPosition({-10, kStandingY, 0});
    frames(world, 2);
    EXPECT_EQ(tagOf(water).touched, 0u);
    EXPECT_EQ(tagOf(boxWater).touched, 0u);
}

TEST_F(Reports, HitsMarkTagsAndPushBoxesSideways) {
    physics::Actor* wall = createBoxActor(&world, 3, 2, 0, 0.5f, 2, 5);
    setActorCollisionGroup(wall, GROUP_SOLID);
    physics::Actor* crate = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 2, 0, 0.5f, 5);
    setActorCollisionGroup(crate, GROUP_PUSHABLE);
    physics::Actor* above = createConvexActor(&world, boxMesh(glm::vec3(0.5f)), 2, -8, 3, 0);
    setActorCollisionGroup(above, GROUP_PUSHABLE);
    physics::Controller* walker = character(0, 0);
    physics::Controller* pusher = character(-2, 5);
    physics::Controller* jumper = character(-8, 0);
    world.tagActors();
    const unsigned withBoxes = 1u << GROUP_SOLID | 1u << GROUP_PUSHABLE;

    // A wall: marked with the direction, never moved.
    EXPECT_EQ(move(*walker, {2, 0, 0}, 1u << GROUP_SOLID) & physics::CollisionSides,
              physics::CollisionSides);
    EXPECT_EQ(tagOf(wall).touched, 1u);
    EXPECT_EQ(tagOf(wall).hitDirection, glm::vec3(1, 0, 0));
    EXPECT_EQ(tagOf(floor).touched, 1u);
    EXPECT_EQ(tagOf(crate).touched, 0u);

    // A level push: an impulse of mass x length x 10 along the push.
    move(*pusher, {2, 0, 0}, withBoxes);
    EXPECT_EQ(tagOf(crate).touched, 1u);
    EXPECT_EQ(tagOf(crate).hitDirection, glm::vec3(1, 0, 0));
    const glm::vec3 velocity = crate->getLinearVelocity();
    EXPECT_NEAR(velocity.x, 2.0f * 10.0f, 1e-3f) << "impulse / mass = sweep length x 10";
    EXPECT_EQ(velocity.y, 0.0f);
    frame(world);
    EXPECT_GT(crate->getGlobalPosition().x, 0.2f);

    // A jump into a box: marked, not pushed.
    const glm::vec3 falling = above->getLinearVelocity();
    EXPECT_EQ(move(*jumper, {0, 2, 0}, withBoxes), physics::CollisionUp);
    EXPECT_EQ(tagOf(above).touched, 1u);
    EXPECT_EQ(tagOf(above).hitDirection, glm::vec3(0, 1, 0));
    EXPECT_EQ(above->getLinearVelocity(), falling);
}

TEST_F(Reports, WhatFloatsJustOverTheHeadIsNeitherTouchedNorInTheWay) {
    // The capsule's head is at 2.12 standing. One crystal floats 0.2 above it, within
    // the step offset's lift; another hangs 0.1 into the head's height.
    const float head = kStandingY + 0.25f + 0.8f + 0.01f;
    physics::Actor* over = createBoxActor(&world, 3, head + 0.2f + 0.5f, 0, 0.5f, 0.5f, 0.5f);
    physics::Actor* low = createBoxActor(&world, 3, head - 0.1f + 0.5f, 10, 0.5f, 0.5f, 0.5f);
    setActorCollisionGroup(over, GROUP_SOLID);
    setActorCollisionGroup(low, GROUP_SOLID);
    physics::Controller* under = character(0, 0);
    physics::Controller* into = character(0, 10);
    world.tagActors();

    for (int i = 0; i < 12; ++i) {
        move(*under, {0.5f, -0.05f, 0}, 1u << GROUP_SOLID);
        move(*into, {0.5f, -0.05f, 0}, 1u << GROUP_SOLID);
    }
    EXPECT_NEAR(under->getPosition().x, 6.0, 0.01) << "walked under it";
    EXPECT_NEAR(under->getPosition().y, kStandingY, 2e-3);
    EXPECT_EQ(tagOf(over).touched, 0u) << "the step probe's reach is no touch";
    EXPECT_LT(into->getPosition().x, 3.0 - 0.5) << "held back by what the head meets";
    EXPECT_EQ(tagOf(low).touched, 1u);
}

TEST_F(Reports, EveryHitReachesTheReportAndUntaggedActorsAreSafe) {
    RecordingHitReport recorder;
    physics::CapsuleControllerDesc desc;
    desc.position = {0, kStandingY, 0};
    desc.radius = 0.8f;
    desc.height = 0.5f;
    desc.skinWidth = 0.01f;
    desc.callback = &recorder;
    physics::Controller* recorded = world.controllerManager()->createController(world.scene, desc);
    physics::Controller* other = character(4, 0);
    ASSERT_NE(recorded, nullptr);

    move(*recorded, {3, -0.1f, 0}, ~0u);
    EXPECT_EQ(recorder.controllers, std::vector<physics::Controller*>{other});
    ASSERT_FALSE(recorder.shapes.empty());
    EXPECT_EQ(&recorder.shapes.back()->getActor(), floor);

    // The game's report on actors without tags yet: nothing to mark, nothing breaks.
    physics::Controller* untagged = character(-6, 0);
    EXPECT_EQ(move(*untagged, {0, -0.1f, 0}, ~0u), physics::CollisionDown);
    EXPECT_EQ(floor->userData, nullptr);
}
