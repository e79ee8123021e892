// Memory streams, mesh cooking and the tags handed to actors and shapes.
#include "../../support/PhysicsTestHelpers.h"

#include "physics/MemoryReadBuffer.h"
#include "physics/MemoryWriteBuffer.h"
#include "physics/PhysicsActors.h"

#include <cstring>
#include <variant>
#include <vector>

using namespace physics_test;

namespace {

std::vector<glm::vec3> cubeCorners(float half) {
    std::vector<glm::vec3> corners;
    for (int i = 0; i < 8; ++i) {
        corners.emplace_back(i & 1 ? half : -half, i & 2 ? half : -half, i & 4 ? half : -half);
    }
    return corners;
}

physics::ConvexMeshDesc convexDesc(const std::vector<glm::vec3>& points) {
    physics::ConvexMeshDesc desc;
    desc.numVertices = static_cast<std::uint32_t>(points.size());
    desc.points = points.data();
    desc.pointStrideBytes = sizeof(glm::vec3);
    desc.flags = physics::ConvexComputeConvex;
    return desc;
}

} // namespace

TEST(MemoryStreams, TheWriteBufferGrowsByFourKilobytesBeyondTheNeed) {
    MemoryWriteBuffer buffer;
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_EQ(&buffer.storeByte(7), &buffer);
    EXPECT_EQ(buffer.currentSize, 1u);
    EXPECT_EQ(buffer.maxSize, 4097u);
    const std::uint8_t* block = buffer.data;

    std::vector<std::uint8_t> page(4096, 0xAB);
    buffer.storeBuffer(page.data(), 4096);
    EXPECT_EQ(buffer.maxSize, 4097u);
    EXPECT_EQ(buffer.data, block) << "fits without a new block";

    buffer.storeByte(9);
    EXPECT_EQ(buffer.maxSize, 4097u + 1 + 4096);
    EXPECT_EQ(buffer.currentSize, 4098u);
    EXPECT_EQ(buffer.data[0], 7);
    EXPECT_EQ(buffer.data[4096], 0xAB);
    EXPECT_EQ(buffer.data[4097], 9);

    // Reading it gives nothing and moves nothing.
    EXPECT_EQ(buffer.readByte(), 0);
    EXPECT_EQ(buffer.readDword(), 0u);
    EXPECT_EQ(buffer.readDouble(), 0.0);
    std::uint32_t untouched = 0x12345678;
    buffer.readBuffer(&untouched, sizeof untouched);
    EXPECT_EQ(untouched, 0x12345678u);
    EXPECT_EQ(buffer.currentSize, 4098u);
}

TEST(MemoryStreams, TheReadBufferReadsBackAndStopsAtTheEnd) {
    MemoryWriteBuffer written;
    written.storeByte(1).storeWord(0x0203).storeDword(0x04050607).storeFloat(1.5f);
    written.storeDouble(-2.25);
    MemoryReadBuffer reader(written);
    EXPECT_EQ(&reader.storeDword(99), &reader);
    EXPECT_EQ(reader.readByte(), 1);
    EXPECT_EQ(reader.readWord(), 0x0203);
    EXPECT_EQ(reader.readDword(), 0x04050607u);
    EXPECT_EQ(reader.readFloat(), 1.5f);
    EXPECT_EQ(reader.readDouble(), -2.25);
    EXPECT_EQ(reader.bytesLeft(), 0u);

    // Past the end: zeros, and the destination filled with them.
    EXPECT_EQ(reader.readDword(), 0u);
    MemoryReadBuffer shortReader(written.data, 3);
    std::uint8_t bytes[6];
    std::memset(bytes, 0xFF, sizeof bytes);
    shortReader.readBuffer(bytes, sizeof bytes);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes[5], 0);
}

TEST(Cooking, ConvexHullsRoundTripThroughTheStreams) {
    auto sdk = physics::createPhysicsSdk(physics::kSdkVersion);
    physics::Cooking& cooking = *physics::getCookingLib(physics::kSdkVersion);
    ASSERT_TRUE(cooking.initCooking());

    std::vector<glm::vec3> points = cubeCorners(1.0f);
    points.emplace_back(0.2f, 0.1f, 0.0f); // inside: not part of the hull
    MemoryWriteBuffer written;
    ASSERT_TRUE(cooking.cookConvexMesh(convexDesc(points), written));
    physics::ConvexMesh* hull = sdk->createConvexMesh(MemoryReadBuffer(written));
    ASSERT_NE(hull, nullptr);
    EXPECT_NEAR(hull->getVolume(), 8.0f, 1e-4f);
    physics::ConvexMeshDesc saved;
    hull->saveToDesc(saved);
    EXPECT_EQ(saved.numVertices, 8u);
    EXPECT_EQ(saved.numTriangles, 12u);
    EXPECT_TRUE(saved.isValid());

    // Every shortened copy of the bytes makes no mesh, and is read safely.
    for (std::uint32_t size = 0; size < written.currentSize; ++size) {
        std::vector<std::uint8_t> bytes(written.data, written.data + size);
        EXPECT_EQ(sdk->createConvexMesh(MemoryReadBuffer(bytes.data(), size)), nullptr) << size;
    }
    // Wrong kind, and a vertex index past the end.
    EXPECT_EQ(sdk->createTriangleMesh(MemoryReadBuffer(written)), nullptr);
    std::vector<std::uint8_t> corrupt(written.data, written.data + written.currentSize);
    const std::size_t firstIndex = 16 + 8 * 12;
    const std::uint32_t badIndex = 8;
    std::memcpy(corrupt.data() + firstIndex, &badIndex, sizeof badIndex);
    EXPECT_EQ(sdk->createConvexMesh(MemoryReadBuffer(corrupt.data(), written.currentSize)),
              nullptr);

    // Points on one line span no hull.
    const std::vector<glm::vec3> line = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    MemoryWriteBuffer nothing;
    EXPECT_FALSE(cooking.cookConvexMesh(convexDesc(line), nothing));
    EXPECT_EQ(nothing.currentSize, 0u);
}

TEST(Cooking, TriangleMeshDescriptorsAreChecked) {
    physics::Cooking& cooking = *physics::getCookingLib(physics::kSdkVersion);
    cooking.initCooking();
    std::vector<glm::vec3> soup(10, glm::vec3(0.0f));
    for (std::size_t i = 0; i < soup.size(); ++i) {
        soup[i] = glm::vec3(static_cast<float>(i), static_cast<float>(i % 3), 0.0f);
    }
    physics::TriangleMeshDesc desc;
    desc.numVertices = 10;
    desc.points = soup.data();
    desc.pointStrideBytes = sizeof(glm::vec3);
    EXPECT_FALSE(desc.isValid()) << "without indices the count must be a multiple of 3";
    desc.numVertices = 9;
    EXPECT_TRUE(desc.isValid());
    MemoryWriteBuffer written;
    EXPECT_TRUE(cooking.cookTriangleMesh(desc, written));

    const std::uint32_t outOfRange[3] = {0, 1, 9};
    desc.triangles = outOfRange;
    desc.numTriangles = 1;
    desc.triangleStrideBytes = 12;
    MemoryWriteBuffer refused;
    EXPECT_FALSE(cooking.cookTriangleMesh(desc, refused));
    EXPECT_EQ(refused.currentSize, 0u);

    desc.numVertices = 2;
    EXPECT_FALSE(desc.isValid());
    desc.numVertices = 9;
    desc.points = nullptr;
    EXPECT_FALSE(desc.isValid());
}

class CookedActors : public PhysicsScene {};

TEST_F(CookedActors, ConvexActorsNeedThreePoints) {
    const Mesh two = meshOf({{0, 0, 0}, {1, 0, 0}}, {});
    const Mesh three = meshOf({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}, {0, 1, 2});
    EXPECT_EQ(createConvexActor(&world, two, 1, 0, 0, 0), nullptr);
    physics::Actor* flat = createConvexActor(&world, three, 1, 0, 5, 0);
    ASSERT_NE(flat, nullptr);
    EXPECT_TRUE(flat->isDynamic());
    EXPECT_GT(flat->getMass(), 0.0f) << "a flat hull still weighs its rounded thickness";
    EXPECT_EQ(flat->getShapes().front()->getType(), physics::ShapeType::Convex);
}

TEST_F(CookedActors, MeshShapesKeepTheirSizeAndScale) {
    const Mesh crate = boxMesh({0.5f, 0.5f, 0.5f});
    physics::Actor* normal = createConvexActor(&world, crate, 1, 0, 0, 0);
    physics::Actor* big = createConvexActor(&world, crate, 1, 5, 0, 0, glm::vec3(2, 1, 3));
    EXPECT_NEAR(normal->getMass(), 1.0f, 1e-4f);
    EXPECT_NEAR(big->getMass(), 6.0f, 1e-3f);

    // A static mesh drawn twice as large collides twice as large.
    const Mesh slab = boxMesh({1, 0.5f, 1});
    createStaticMeshActor(&world, slab, 20, 0, 0, glm::vec3(1, 2, 1));
    physics::Actor* dropped = createConvexActor(&world, crate, 1, 20, 3, 0);
    frames(world, 90);
    EXPECT_NEAR(dropped->getGlobalPosition().y, 1.5f, 0.03f);

    // A mesh that claims more than it holds makes no actor.
    Mesh lying = crate;
    lying.vertexCount = 100;
    EXPECT_EQ(createConvexActor(&world, lying, 1, 0, 0, 0), nullptr);
    lying = crate;
    lying.faceCount = 13;
    EXPECT_EQ(createStaticMeshActor(&world, lying, 0, 0, 0), nullptr);
}

TEST_F(CookedActors, TagActorsNumbersFromTheLastActor) {
    const Mesh crate = boxMesh({0.5f, 0.5f, 0.5f});
    physics::Actor* first = createBoxActor(&world, 0, 0, 0, 1, 1, 1);
    physics::Actor* second = createConvexActor(&world, crate, 1, 5, 0, 0);
    physics::Actor* third = createStaticMeshActor(&world, crate, 10, 0, 0);
    ASSERT_EQ(world.scene->getNbActors(), 3u);
    world.tagActors();

    auto tag = [](const physics::Actor* actor) { return static_cast<ActorTag*>(actor->userData); };
    auto shapeTag = [](const physics::Actor* actor) {
        return static_cast<ShapeTag*>(actor->getShapes().front()->userData);
    };
    EXPECT_EQ(tag(third)->id, 0u);
    EXPECT_EQ(tag(second)->id, 1u);
    EXPECT_EQ(tag(first)->id, 2u);
    EXPECT_EQ(tag(first)->touched, 0u);
    EXPECT_EQ(shapeTag(first)->id, 0u);

    EXPECT_TRUE(std::holds_alternative<std::monostate>(shapeTag(first)->meshDesc));
    const auto& hull = std::get<physics::ConvexMeshDesc>(shapeTag(second)->meshDesc);
    EXPECT_EQ(hull.numVertices, 8u);
    const auto& triangles = std::get<physics::TriangleMeshDesc>(shapeTag(third)->meshDesc);
    EXPECT_EQ(triangles.numTriangles, 12u);
    EXPECT_EQ(triangles.heightFieldVerticalAxis, physics::kNoHeightField);
    EXPECT_FLOAT_EQ(triangles.convexEdgeThreshold, 0.001f);
    EXPECT_EQ(static_cast<const glm::vec3*>(triangles.points)[7], glm::vec3(0.5f));
}
