// The physics actor a level object gets from its physics line.
#include "../../support/RecordedMessages.h"
#include "../../support/PhysicsTestHelpers.h"

#include "level/DataLoader.h"

#include <glm/gtc/constants.hpp>

#include <cmath>

using namespace physics_test;

namespace {

// A cone of `triangles` faces around its apex: detailed or not, it has a hull.
Mesh coneMesh(unsigned triangles) {
    std::vector<glm::vec3> points{{0, 1, 0}};
    std::vector<unsigned> faces;
    for (unsigned i = 0; i < triangles; ++i) {
        const float angle = 2 * glm::pi<float>() * static_cast<float>(i) / triangles;
        points.emplace_back(std::cos(angle), 0.0f, std::sin(angle));
        faces.insert(faces.end(), {0, 1 + i, 1 + (i + 1) % triangles});
    }
    return meshOf(points, faces);
}

class PhysicsActorChoice : public PhysicsScene {
protected:
    void SetUp() override {
        PhysicsScene::SetUp();
        loader.world = &world;
    }

    ObjectDescription record(const std::string& physicsType, const std::string& lowPoly = "") {
        ObjectDescription object;
        object.recordType = "Box";
        object.meshFile = "obj/statue.obj";
        object.physicsType = physicsType;
        object.lowPolyMeshFile = lowPoly;
        object.density = 2.0f;
        return object;
    }

    // The actor, and what was printed while making it.
    physics::Actor* make(const ObjectDescription& object, Mesh& mesh, std::string& printed) {
        RecordedMessages heard;
        physics::Actor* actor = loader.createPhysicsActor(object, mesh, {1, 2, 3, 1});
        printed = heard.take();
        return actor;
    }

    static physics::ShapeType typeOf(const physics::Actor* actor) {
        return actor->getShapes().front()->getType();
    }

    DataLoader loader;
    std::string printed;
};

} // namespace

TEST_F(PhysicsActorChoice, DynamicMeshesUpTo255TrianglesAreConvex) {
    Mesh detailed = coneMesh(255);
    ASSERT_EQ(detailed.faceCount, 255);
    physics::Actor* actor = make(record("dynamic"), detailed, printed);
    ASSERT_NE(actor, nullptr);
    EXPECT_EQ(printed, "");
    EXPECT_TRUE(actor->isDynamic());
    EXPECT_EQ(typeOf(actor), physics::ShapeType::Convex);
    EXPECT_EQ(actor->getGlobalPosition(), glm::vec3(1, 2, 3));
}

TEST_F(PhysicsActorChoice, MoreDetailedOnesUseTheLowPolygonMeshOrBecomeStatic) {
    Mesh detailed = coneMesh(256);
    physics::Actor* replaced =
        make(record("dynamic", "tests/data/physics/lowpoly_box.obj"), detailed, printed);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(typeOf(replaced), physics::ShapeType::Convex);
    physics::ConvexMeshDesc hull;
    replaced->getShapes().front()->getConvexMesh()->saveToDesc(hull);
    EXPECT_EQ(hull.numVertices, 8u) << "the box of the low-polygon file, not the cone";
    EXPECT_NEAR(replaced->getMass(), 2.0f, 1e-3f);

    physics::Actor* fallback = make(record("dynamic"), detailed, printed);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(printed, "Couldn't find low polygon version of obj/statue.obj. Created static "
                       "actor instead.\n");
    EXPECT_FALSE(fallback->isDynamic());
    EXPECT_FALSE(fallback->isKinematic());
    EXPECT_EQ(typeOf(fallback), physics::ShapeType::TriangleMesh);

    // A low-polygon file that cannot be read: the mesh loader says so, and no actor.
    EXPECT_EQ(make(record("dynamic", "tests/data/physics/missing.obj"), detailed, printed),
              nullptr);
    EXPECT_NE(printed.find("Unable to open file tests/data/physics/missing.obj"),
              std::string::npos);
}

TEST_F(PhysicsActorChoice, PlanesKinematicAndStaticMeshes) {
    Mesh huge = gridMesh(71, 10);
    ASSERT_GT(huge.faceCount, 10000);
    physics::Actor* kinematic = make(record("kinematic"), huge, printed);
    ASSERT_NE(kinematic, nullptr);
    EXPECT_EQ(printed, "");
    EXPECT_TRUE(kinematic->isKinematic());
    EXPECT_EQ(typeOf(kinematic), physics::ShapeType::TriangleMesh);

    physics::Actor* plane =
        make(record("plane", "tests/data/physics/lowpoly_box.obj"), huge, printed);
    ASSERT_NE(plane, nullptr);
    EXPECT_FALSE(plane->isDynamic());
    EXPECT_EQ(typeOf(plane), physics::ShapeType::Box);

    // Cooked at the size it is drawn.
    Mesh block = boxMesh({1, 1, 1});
    ObjectDescription scaled = record("static");
    scaled.scale = {2, 3, 4};
    physics::Actor* still = make(scaled, block, printed);
    ASSERT_NE(still, nullptr);
    EXPECT_FALSE(still->isDynamic() || still->isKinematic());
    physics::TriangleMeshDesc triangles;
    still->getShapes().front()->getTriangleMesh()->saveToDesc(triangles);
    EXPECT_EQ(static_cast<const glm::vec3*>(triangles.points)[7], glm::vec3(2, 3, 4));
}

TEST_F(PhysicsActorChoice, AnUnknownPhysicsTypeGetsNoActor) {
    Mesh block = boxMesh({1, 1, 1});
    EXPECT_EQ(make(record("floating"), block, printed), nullptr);
    EXPECT_EQ(printed, "Box obj/statue.obj: unknown physics type \"floating\"; created no "
                       "physics actor\n");
    EXPECT_EQ(world.scene->getNbActors(), 0u);
}
