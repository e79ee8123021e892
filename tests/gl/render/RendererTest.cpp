// The renderer's parts on a real context: meshes shared per file, the front end's
// plan of batches, and instanced draws giving the pixels of one-by-one draws.
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"
#include "render/GpuMesh.h"
#include "render/MeshDraw.h"
#include "render/RenderBackEnd.h"
#include "render/RenderFrontEnd.h"
#include "render/ShadowMaps.h"
#include "resources/Mesh.h"
#include "resources/Shader.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* kCube = "tests/data/obj/cube_textured.obj";

// A cube's mesh with its own name: a file of its own, as far as the renderer knows.
Mesh cubeNamed(const std::string& name) {
    Mesh mesh(kCube);
    mesh.fileName = name;
    return mesh;
}

DrawRecord recordAt(const GpuMesh& mesh, const glm::vec3& at, std::uint32_t texture = 0) {
    DrawRecord record;
    record.mesh = &mesh;
    record.texture = texture;
    record.model = glm::translate(glm::mat4(1.0f), at);
    record.kd = glm::vec4(1.0f);
    record.seeThrough = false;
    return record;
}

// Which records a pass's instances came from, told apart by their position's x.
std::vector<float> xs(const std::vector<InstanceData>& instances, const DrawBatch& batch) {
    std::vector<float> result;
    for (std::uint32_t i = 0; i < batch.instanceCount; ++i) {
        result.push_back(instances[batch.firstInstance + i].model[3].x);
    }
    return result;
}

// Puts `program` to use, seen from `eye` towards the origin and lit by one white light
// above and in front.
void lookWithOneLight(GLuint program, const glm::vec3& eye, const glm::vec4& ambient,
                      const glm::vec4& specular) {
    glUseProgram(program);
    const glm::mat4 perspective = glm::perspective(glm::radians(60.0f), 4.0f / 3.0f, 0.1f, 100.0f);
    const glm::mat4 view = glm::lookAt(eye, glm::vec3(0), glm::vec3(0, 1, 0));
    glUniformMatrix4fv(glGetUniformLocation(program, "perspective"), 1, GL_FALSE,
                       &perspective[0][0]);
    glUniformMatrix4fv(glGetUniformLocation(program, "view"), 1, GL_FALSE, &view[0][0]);
    const glm::vec4 light(0, 5, 5, 1), white(1.0f);
    glUniform4fv(glGetUniformLocation(program, "light_position"), 1, &light[0]);
    glUniform4fv(glGetUniformLocation(program, "light_color"), 1, &white[0]);
    glUniform4fv(glGetUniformLocation(program, "ambient_color"), 1, &ambient[0]);
    glUniform4fv(glGetUniformLocation(program, "spec_color"), 1, &specular[0]);
}

class Renderer : public GlTest {
protected:
    // The lit pass's program, loaded without its messages; 0 when it cannot be built.
    GLuint litProgram() {
        RecordedMessages quiet;
        return shaders.loadProgram("data/shader/simple_shader.vert data/shader/simple_shader.frag");
    }

    // One white texel, sampled without mipmaps: the texture of objects that only their
    // colours and their light tell apart.
    static GLuint whiteTexture() {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        const unsigned char texel[4] = {255, 255, 255, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        return texture;
    }

    Shader shaders;
    Mesh shapeA = cubeNamed("a.obj");
    Mesh shapeB = cubeNamed("b.obj");
};

} // namespace

TEST_F(Renderer, ObjectsOfOneMeshFileShareItsBuffersUntilTheLastLetsGo) {
    Mesh first(kCube);
    Mesh second(kCube);
    std::shared_ptr<const GpuMesh> a = GpuMesh::shared(first);
    std::shared_ptr<const GpuMesh> b = GpuMesh::shared(second);
    ASSERT_EQ(a, b);
    EXPECT_EQ(a->indexCount, 3 * first.faceCount);
    const GLuint buffer = a->vertexBuffer;
    a.reset();
    EXPECT_TRUE(glIsBuffer(buffer)) << "the other object still draws from it";
    b.reset();
    EXPECT_FALSE(glIsBuffer(buffer));

    // A file read again after it changed (other counts) gets buffers of its own.
    std::shared_ptr<const GpuMesh> old = GpuMesh::shared(first);
    Mesh changed = Mesh::fromText(kCube, "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\n");
    std::shared_ptr<const GpuMesh> fresh = GpuMesh::shared(changed);
    EXPECT_NE(old, fresh);
    EXPECT_EQ(fresh->indexCount, 3);
}

TEST_F(Renderer, TheLitPlanGroupsOpaqueObjectsFrontToBackAndBlendsSeeThroughOnesLast) {
    const auto a = std::make_shared<GpuMesh>(shapeA);
    const auto b = std::make_shared<GpuMesh>(shapeB);
    std::vector<DrawRecord> records{
        recordAt(*a, {9, 0, 0}),    recordAt(*b, {4, 0, 0}),  recordAt(*a, {2, 0, 0}),
        recordAt(*a, {7, 0, 0}, 5), recordAt(*a, {20, 0, 0}), recordAt(*b, {30, 0, 0}),
        recordAt(*a, {3, 0, 0}),    recordAt(*a, {11, 0, 0}), recordAt(*a, {6, 0, 0}),
    };
    records[4].seeThrough = true;
    records[5].seeThrough = true;
    records[6].seeThrough = true;
    records[7].skipLitPasses = true;
    records[8].meshVisible = false; // a collision volume

    RenderFrontEnd plan;
    plan.measure(records);
    plan.planLitPass(records, glm::vec3(0.0f), true);
    EXPECT_EQ(plan.litObjects, 8) << "all but the skipped one, the volume included";
    ASSERT_EQ(plan.litBatches.size(), 5u);
    const std::vector<DrawBatch>& batches = plan.litBatches;
    // Opaque: mesh a untextured (nearest at 2), b (4), a with texture 5 (7).
    EXPECT_EQ(xs(plan.litInstances, batches[0]), (std::vector<float>{2, 9}));
    EXPECT_EQ(xs(plan.litInstances, batches[1]), (std::vector<float>{4}));
    EXPECT_EQ(xs(plan.litInstances, batches[2]), (std::vector<float>{7}));
    EXPECT_EQ(batches[2].texture, 5u);
    // See-through: the furthest first; the two of mesh a follow each other and share a draw.
    EXPECT_EQ(xs(plan.litInstances, batches[3]), (std::vector<float>{30}));
    EXPECT_EQ(xs(plan.litInstances, batches[4]), (std::vector<float>{20, 3}));
    for (std::size_t i = 0; i < batches.size(); ++i) {
        EXPECT_EQ(batches[i].blend, i >= 3) << i;
    }
    EXPECT_EQ(plan.litInstances.size(), 7u);

    plan.planLitPass(records, glm::vec3(0.0f), false);
    for (const DrawBatch& batch : plan.litBatches) {
        EXPECT_FALSE(batch.blend) << "the player has switched blending off";
    }
}

TEST_F(Renderer, TheDepthPlanPutsEachCasterIntoTheFacesItReachesOneDrawPerMesh) {
    const auto a = std::make_shared<GpuMesh>(shapeA);
    const auto b = std::make_shared<GpuMesh>(shapeB);
    std::vector<DrawRecord> records{
        recordAt(*a, {5, 0, 0}),  recordAt(*b, {6, 0.5f, 0}), recordAt(*a, {8, 0, 1}),
        recordAt(*a, {0, -5, 0}), recordAt(*a, {-5, 0, 0}),   recordAt(*a, {0, 0, 5}),
    };
    records[4].skipLitPasses = true; // never in the maps
    records[5].meshVisible = false;  // a collision volume still casts its shape

    ShadowMaps maps;
    maps.setupMatrices();
    maps.aimLightViews(glm::vec3(0.0f));
    std::array<glm::mat4, ShadowMaps::kFaces> faceToClip;
    for (std::size_t i = 0; i < ShadowMaps::kFaces; ++i) {
        faceToClip[i] = maps.lightProjection * maps.lightViews[i];
    }
    RenderFrontEnd plan;
    plan.measure(records);
    plan.planDepthPass(records, faceToClip);

    // Face 0 looks along +x: the three casters there, in two draws.
    ASSERT_EQ(plan.depthBatches[0].size(), 2u);
    EXPECT_EQ(plan.depthBatches[0][0].mesh, a.get());
    EXPECT_EQ(xs(plan.depthInstances, plan.depthBatches[0][0]), (std::vector<float>{5, 8}));
    EXPECT_EQ(xs(plan.depthInstances, plan.depthBatches[0][1]), (std::vector<float>{6}));
    EXPECT_TRUE(plan.depthBatches[1].empty()) << "the one at -x skips the shadowed passes";
    ASSERT_EQ(plan.depthBatches[3].size(), 1u); // -y
    EXPECT_EQ(plan.depthBatches[3][0].instanceCount, 1u);
    ASSERT_EQ(plan.depthBatches[4].size(), 1u); // +z: the collision volume
    EXPECT_EQ(plan.depthInstances[plan.depthBatches[4][0].firstInstance].model[3].z, 5.0f);
}

// Many objects in one instanced draw light the same pixels as each drawn on its own.
TEST_F(Renderer, AnInstancedDrawGivesThePixelsOfOneByOneDraws) {
    const GLuint program = litProgram();
    ASSERT_NE(program, 0u);
    const auto mesh = std::make_shared<GpuMesh>(shapeA);
    lookWithOneLight(program, glm::vec3(0, 3, 12), glm::vec4(0.3f, 0.3f, 0.3f, 1.0f),
                     glm::vec4(1.0f));

    std::vector<InstanceData> instances;
    for (int i = 0; i < 12; ++i) {
        InstanceData instance;
        instance.model = glm::rotate(
            glm::translate(glm::mat4(1.0f), glm::vec3(-5.5f + i, 0.4f * (i % 3), -i % 4)), 0.3f * i,
            glm::vec3(0, 1, 0));
        instance.ka = glm::vec4(0.1f * (i % 4), 0.2f, 0.3f, 1.0f);
        instance.kd = glm::vec4(0.9f, 0.08f * i, 0.5f, 1.0f);
        instance.ks = glm::vec4(0.5f, 0.5f, 0.05f * i, 1.0f);
        instances.push_back(instance);
    }
    // A white texel, so that only the colours tell the objects apart.
    const GLuint texture = whiteTexture();

    const auto picture = [] {
        std::vector<unsigned char> pixels(1024 * 768 * 4);
        glFinish();
        glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    glDisable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (const InstanceData& instance : instances) {
        drawMeshNow(*mesh, instance, texture, nullptr);
    }
    const std::vector<unsigned char> oneByOne = picture();

    RenderBackEnd backEnd;
    backEnd.create();
    backEnd.uploadLitInstances(instances);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Two batches out of the middle of the stream, as a pass lays them out.
    backEnd.drawLitBatches({{mesh.get(), texture, false, 0, 5}, {mesh.get(), texture, false, 5, 7}},
                           nullptr, false);
    const std::vector<unsigned char> batched = picture();
    EXPECT_EQ(backEnd.draws, 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(batched == oneByOne) << "the instanced draws differ from the single ones";
    const std::size_t lit = static_cast<std::size_t>(
        std::count_if(oneByOne.begin(), oneByOne.end(), [](unsigned char c) { return c > 0; }));
    EXPECT_GT(lit, 100000u) << "the cubes fill a good part of the picture";

    backEnd.release();
    glDeleteTextures(1, &texture);
    glEnable(GL_BLEND);
    glUseProgram(0);
}

// A mirrored object (negative scale) winds its triangles the other way round on screen.
// The plan gives it a draw of its own, and that draw culls the same side of it as of an
// object that is not mirrored: a cube mirrored in x, seen from straight in front, is the
// mirror image of the cube's picture, not the inside of the cube.
TEST_F(Renderer, AMirroredObjectIsDrawnRightSideOut) {
    const GLuint program = litProgram();
    ASSERT_NE(program, 0u);
    const auto mesh = std::make_shared<GpuMesh>(shapeA);
    const glm::vec4 dark(0.05f, 0.05f, 0.05f, 1.0f);
    lookWithOneLight(program, glm::vec3(0, 3, 6), dark, dark);
    const GLuint texture = whiteTexture();

    std::vector<DrawRecord> records{recordAt(*mesh, {0, 0, 0}, texture),
                                    recordAt(*mesh, {0, 0, 0}, texture)};
    records[1].model = glm::scale(records[1].model, glm::vec3(-1, 1, 1));
    RenderFrontEnd plan;
    plan.measure(records);
    plan.planLitPass(records, glm::vec3(0, 3, 6), false);
    ASSERT_EQ(plan.litBatches.size(), 2u) << "the mirrored one is drawn apart";
    EXPECT_NE(plan.litBatches[0].mirrored, plan.litBatches[1].mirrored);

    RenderBackEnd backEnd;
    backEnd.create();
    backEnd.uploadLitInstances(plan.litInstances);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    const auto pictureOf = [&](const DrawBatch& batch) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        backEnd.drawLitBatches({batch}, nullptr, false);
        std::vector<unsigned char> pixels(1024 * 768 * 4);
        glFinish();
        glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> plain = pictureOf(plan.litBatches[0]);
    const std::vector<unsigned char> mirrored = pictureOf(plan.litBatches[1]);
    GLint frontFace = 0;
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    EXPECT_EQ(frontFace, GL_CCW) << "the next draw winds as usual";
    std::size_t lit = 0;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::size_t row = i / (1024 * 4);
        const std::size_t column = i / 4 % 1024;
        const std::size_t across = (row * 1024 + 1023 - column) * 4 + i % 4;
        lit += plain[i] > 0;
        differing += std::abs(plain[i] - mirrored[across]) > 8;
    }
    EXPECT_GT(lit, 100000u);
    // Only the odd pixel along an edge, where the faces' diagonals are split otherwise.
    EXPECT_LT(differing, lit / 100) << differing << " of " << lit;

    backEnd.release();
    glDeleteTextures(1, &texture);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glUseProgram(0);
}
