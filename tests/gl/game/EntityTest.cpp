// Entities on the GPU: the buffer layout, clean draws and the pose sync.
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"
#include "game/Box.h"
#include "game/CollisionBox.h"
#include "physics/PhysicsActors.h"
#include "physics/PhysicsWorld.h"
#include "physics/engine/Actor.h"
#include "resources/Mesh.h"
#include "resources/Shader.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

const char* kCube = "tests/data/obj/cube_textured.obj";
const char* kMaterial = "tests/data/obj/crate.mtl";

GLint bufferSize(GLenum target, GLuint buffer) {
    glBindBuffer(target, buffer);
    GLint size = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    glBindBuffer(target, 0);
    return size;
}

struct Bindings {
    GLint texture = 0, array = 0, elements = 0, program = 0;
    bool operator==(const Bindings&) const = default;
};

Bindings bindings() {
    Bindings b;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &b.texture);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &b.array);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &b.elements);
    glGetIntegerv(GL_CURRENT_PROGRAM, &b.program);
    return b;
}

class Entities : public GlTest {
protected:
    void SetUp() override {
        RecordedMessages quiet;
        program =
            shaders.loadProgram("data/shader/simple_shader.vert data/shader/simple_shader.frag");
    }
    Shader shaders;
    GLuint program = 0;
};

} // namespace

TEST_F(Entities, BuffersHoldThreeBlocksAndTheIndices) {
    Box box(kCube, 0, program, kMaterial, glm::mat4(1.0f));
    box.setup();
    const GLint n = box.mesh->vertexCount;
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, box.vertexBuffer), 32 * n);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, box.indexBuffer), 12 * box.mesh->faceCount);

    // The normal block starts at 12n, the texture coordinates at 24n.
    glBindBuffer(GL_ARRAY_BUFFER, box.vertexBuffer);
    glm::vec3 normal;
    glm::vec2 texCoord;
    glGetBufferSubData(GL_ARRAY_BUFFER, 12 * n, sizeof normal, &normal);
    glGetBufferSubData(GL_ARRAY_BUFFER, 24 * n, sizeof texCoord, &texCoord);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(normal, box.mesh->vertexNormals[0]);
    EXPECT_EQ(texCoord, box.mesh->vertexTexCoords[0]);

    // Releasing forgets the names, so the destructor deletes nothing twice.
    box.releaseBuffers();
    EXPECT_EQ(box.vertexBuffer, 0u);
    EXPECT_EQ(box.indexBuffer, 0u);
}

TEST_F(Entities, DrawsLeaveTheBindingsAsTheyFoundThem) {
    Box box(kCube, 0, program, kMaterial, glm::mat4(1.0f));
    CollisionBox volume(kCube, program, kMaterial, glm::mat4(1.0f));
    box.setup();
    volume.setup();
    glUseProgram(program);
    box.draw();
    const Bindings once = bindings();
    EXPECT_EQ(once.array, 0);
    EXPECT_EQ(once.elements, 0);
    EXPECT_EQ(once.texture, 0);
    box.draw();
    EXPECT_EQ(bindings(), once);
    box.drawDepth();
    volume.draw();
    volume.drawDepth();
    EXPECT_EQ(bindings(), once);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glUseProgram(0);
}

TEST_F(Entities, CollisionBoxDrawsNothingButStillCastsItsShape) {
    CollisionBox volume(kCube, program, kMaterial, glm::mat4(1.0f));
    volume.setup();
    glUseProgram(program);
    const glm::mat4 camera = glm::mat4(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "perspective"), 1, GL_FALSE, &camera[0][0]);
    glUniformMatrix4fv(glGetUniformLocation(program, "view"), 1, GL_FALSE, &camera[0][0]);
    GLuint query = 0;
    glGenQueries(1, &query);
    const auto samplesOf = [&](auto&& drawCall) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        drawCall();
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint samples = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
        return samples;
    };
    EXPECT_EQ(samplesOf([&] { volume.draw(); }), 0u);
    glDisable(GL_CULL_FACE);
    EXPECT_GT(samplesOf([&] { volume.drawDepth(); }), 0u);
    glEnable(GL_CULL_FACE);
    glDeleteQueries(1, &query);
    glUseProgram(0);
}

TEST_F(Entities, PoseSyncKeepsTheDrawnScale) {
    PhysicsWorld world;
    ASSERT_TRUE(world.initPhysics());
    const glm::mat4 placed =
        glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), {3, 4, 5}), glm::radians(30.0f),
                               {0, 1, 0}),
                   {2, 1, 0.5f});
    Box box(kCube, 0, program, kMaterial, placed);
    box.actor = createBoxActor(&world, 0, 0, 0, 1, 1, 1);
    box.syncToActor();
    const physics::Pose pose = box.actor->getGlobalPose();
    EXPECT_NEAR(pose.translation.z, 5.0f, 1e-5f);
    EXPECT_NEAR(glm::length(pose.rotation[0]), 1.0f, 1e-5f) << "the actor takes no scale";

    // The simulation moves the actor; the drawn box follows at its own scale.
    box.actor->setGlobalPose({pose.rotation, pose.translation + glm::vec3(1, 0, 0)});
    box.syncFromActor();
    const glm::mat4 expected = glm::translate(glm::mat4(1.0f), {1, 0, 0}) * placed;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(box.modelMatrix[c][r], expected[c][r], 1e-5f) << c << "," << r;
        }
    }
}
