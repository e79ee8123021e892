#include "physics/PhysicsWorld.h"

#include "platform/Diagnostics.h"

using namespace physics;

namespace {
constexpr float kMaxTimestep = 1.0f / 60.0f;
constexpr unsigned kMaxSubSteps = 8;

bool fail(const char* what) {
    platform::DiagnosticLine() << "Could not init physics: " << what;
    return false;
}
} // namespace

bool PhysicsWorld::initPhysics() {
    sdk = createPhysicsSdk(kSdkVersion);
    if (!sdk) {
        return fail("the physics SDK did not start");
    }
    cooking = getCookingLib(kSdkVersion);
    if (!cooking || !cooking->initCooking()) {
        return fail("mesh cooking did not start");
    }
    sdk->setParameter(SdkParameter::SkinWidth, skinWidth);

    SceneDesc desc;
    desc.gravity = gravity;
    desc.userTriggerReport = &triggerReport;
    desc.userContactReport = contactReport;
    desc.maxTimestep = kMaxTimestep;
    desc.maxIter = kMaxSubSteps;
    desc.timeStepMethod = TimeStepMethod::Fixed;
    desc.simType = SimulationType::Hardware;
    scene = sdk->createScene(desc);
    if (!scene) {
        desc.simType = SimulationType::Software;
        scene = sdk->createScene(desc);
    }
    if (!scene) {
        return fail("no physics scene could be created");
    }

    Material* defaultMaterial = scene->getMaterialFromIndex(0);
    defaultMaterial->setRestitution(restitution);
    defaultMaterial->setStaticFriction(staticFriction);
    defaultMaterial->setDynamicFriction(dynamicFriction);
    scene->setTiming(kMaxTimestep, kMaxSubSteps, TimeStepMethod::Fixed);
    return true;
}

void PhysicsWorld::tagActors() {
    if (!scene) {
        return;
    }
    Actor* const* actors = scene->getActors();
    std::uint32_t actorId = 0;
    for (unsigned i = scene->getNbActors(); i-- > 0;) {
        Actor& actor = *actors[i];
        auto tag = std::make_unique<ActorTag>();
        tag->id = actorId++;
        actor.userData = tag.get();
        actorTags.push_back(std::move(tag));

        std::uint32_t shapeId = 0;
        for (unsigned s = actor.getNbShapes(); s-- > 0;) {
            Shape& shape = actor.getShape(s);
            auto shapeTag = std::make_unique<ShapeTag>();
            shapeTag->id = shapeId++;
            if (shape.getType() == ShapeType::Convex && shape.getConvexMesh()) {
                ConvexMeshDesc desc;
                shape.getConvexMesh()->saveToDesc(desc);
                shapeTag->meshDesc = desc;
            } else if (shape.getType() == ShapeType::TriangleMesh && shape.getTriangleMesh()) {
                TriangleMeshDesc desc;
                desc.heightFieldVerticalAxis = kNoHeightField;
                desc.convexEdgeThreshold = 0.001f;
                shape.getTriangleMesh()->saveToDesc(desc);
                shapeTag->meshDesc = desc;
            }
            shape.userData = shapeTag.get();
            shapeTags.push_back(std::move(shapeTag));
        }
    }
}
