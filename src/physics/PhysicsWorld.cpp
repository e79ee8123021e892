#include "physics/PhysicsWorld.h"

#include "platform/Diagnostics.h"

#include <algorithm>

using namespace physics;

namespace {
constexpr float kMaxTimestep = 1.0f / 60.0f;
constexpr unsigned kMaxSubSteps = 8;

bool fail(const char* what) {
    platform::DiagnosticLine() << "Could not init physics: " << what;
    return false;
}

template <typename Tag> void dropTag(std::vector<std::unique_ptr<Tag>>& tags, void* userData) {
    if (!userData) {
        return;
    }
    tags.erase(std::remove_if(tags.begin(), tags.end(),
                              [userData](const auto& tag) { return tag.get() == userData; }),
               tags.end());
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
        dropTag(actorTags, actor.userData); // tagged again: the old tag is nobody's now
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
            dropTag(shapeTags, shape.userData);
            shape.userData = shapeTag.get();
            shapeTags.push_back(std::move(shapeTag));
        }
    }
}

ControllerManager* PhysicsWorld::controllerManager() {
    if (!manager && sdk) {
        manager = sdk->createControllerManager();
    }
    return manager;
}

void PhysicsWorld::releaseTags(Actor& actor) {
    for (unsigned s = 0; s < actor.getNbShapes(); ++s) {
        Shape& shape = actor.getShape(s);
        dropTag(shapeTags, shape.userData);
        shape.userData = nullptr;
    }
    dropTag(actorTags, actor.userData);
    actor.userData = nullptr;
}

bool PhysicsWorld::releaseActor(Actor* actor) {
    if (!actor || !scene || actor->getScene() != scene) {
        return false;
    }
    if (manager) {
        if (Controller* controller = manager->controllerOf(actor)) {
            return releaseCharacterController(controller);
        }
    }
    std::vector<ConvexMesh*> hulls;
    std::vector<TriangleMesh*> meshes;
    for (unsigned s = 0; s < actor->getNbShapes(); ++s) {
        const Shape& shape = actor->getShape(s);
        if (shape.getConvexMesh()) {
            hulls.push_back(shape.getConvexMesh());
        }
        if (shape.getTriangleMesh()) {
            meshes.push_back(shape.getTriangleMesh());
        }
    }
    // Two shapes of the actor may share a mesh: it must be looked at once only.
    std::sort(hulls.begin(), hulls.end());
    hulls.erase(std::unique(hulls.begin(), hulls.end()), hulls.end());
    std::sort(meshes.begin(), meshes.end());
    meshes.erase(std::unique(meshes.begin(), meshes.end()), meshes.end());
    releaseTags(*actor);
    if (!scene->releaseActor(*actor)) {
        return false;
    }
    // The SDK keeps a mesh that another shape still uses.
    for (ConvexMesh* hull : hulls) {
        sdk->releaseConvexMesh(*hull);
    }
    for (TriangleMesh* mesh : meshes) {
        sdk->releaseTriangleMesh(*mesh);
    }
    return true;
}

bool PhysicsWorld::releaseCharacterController(Controller* controller) {
    if (!controller || !manager || &controller->getManager() != manager) {
        return false;
    }
    releaseTags(*controller->getActor());
    return manager->releaseController(*controller);
}
