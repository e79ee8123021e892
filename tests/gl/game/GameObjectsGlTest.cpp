// Water on the GPU: the two water programs and what the spray and the pool draw.
#include "../../support/PlatformFixture.h"
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"
#include "game/Water.h"
#include "resources/Shader.h"
#include "resources/Texture.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

const char* kCube = "tests/data/obj/cube_textured.obj";
const char* kMaterial = "tests/data/obj/crate.mtl";
const char* kWaterProgram =
    "data/shader/water_shader.vert data/shader/water_shader.geom data/shader/water_shader.frag";
const char* kPoolProgram = "data/shader/waterPlane_shader.vert data/shader/waterPlane_shader.geom "
                           "data/shader/waterPlane_shader.frag";

std::string infoLog(GLuint object, bool program) {
    GLint length = 0;
    program ? glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length)
            : glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    program ? glGetProgramInfoLog(object, length, nullptr, log.data())
            : glGetShaderInfoLog(object, length, nullptr, log.data());
    log.resize(log.find_last_not_of(std::string(" \n\r\t\0", 5)) + 1);
    return log;
}

// Compiles and links the three stages itself, to see the driver's every remark.
std::string remarksOf(const std::string& stem) {
    std::string remarks;
    const GLuint program = glCreateProgram();
    const std::pair<const char*, GLenum> stages[] = {
        {".vert", GL_VERTEX_SHADER}, {".geom", GL_GEOMETRY_SHADER}, {".frag", GL_FRAGMENT_SHADER}};
    for (const auto& [suffix, kind] : stages) {
        std::stringstream source;
        source << std::ifstream(stem + suffix).rdbuf();
        const std::string text = source.str();
        const char* pointer = text.c_str();
        const GLuint shader = glCreateShader(kind);
        glShaderSource(shader, 1, &pointer, nullptr);
        glCompileShader(shader);
        GLint compiled = 0;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        remarks += (compiled ? "" : stem + suffix + " does not compile ") + infoLog(shader, false);
        glAttachShader(program, shader);
        glDeleteShader(shader);
    }
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    remarks += (linked ? "" : stem + " does not link ") + infoLog(program, true);
    glDeleteProgram(program);
    return remarks;
}

class WaterOnTheGpu : public GlTest {
protected:
    void SetUp() override {
        RecordedMessages quiet;
        sprayProgram = shaders.loadProgram(kWaterProgram);
        poolProgram = shaders.loadProgram(kPoolProgram);
        texture = textures.loadTexture("data/obj/water_ripples.png");
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    // Looking straight down at the origin; the picture spans x and z from -4 to 4.
    void lookDown(GLuint program) {
        const glm::mat4 perspective = glm::ortho(-4.0f, 4.0f, -4.0f, 4.0f, 0.1f, 100.0f);
        const glm::mat4 view = glm::lookAt(glm::vec3(0, 10, 0), glm::vec3(0), glm::vec3(0, 0, -1));
        glUseProgram(program);
        glUniformMatrix4fv(glGetUniformLocation(program, "perspective"), 1, GL_FALSE,
                           &perspective[0][0]);
        glUniformMatrix4fv(glGetUniformLocation(program, "view"), 1, GL_FALSE, &view[0][0]);
        // The flame far off to the side: no glint in the picture.
        const glm::vec4 light(40.0f, 3.0f, 0.0f, 1.0f), orange(1.0f, 0.6f, 0.0f, 1.0f),
            ambient(0.1f, 0.1f, 0.1f, 1.0f);
        glUniform4fv(glGetUniformLocation(program, "light_position"), 1, &light[0]);
        glUniform4fv(glGetUniformLocation(program, "light_color"), 1, &orange[0]);
        glUniform4fv(glGetUniformLocation(program, "ambient_color"), 1, &ambient[0]);
    }

    // The picture's colour at a point of the ground, x and z from -4 to 4.
    glm::vec4 pixelAt(float x, float z) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        const int px = static_cast<int>((x + 4.0f) / 8.0f * static_cast<float>(viewport[2] - 1));
        const int py = static_cast<int>((4.0f - z) / 8.0f * static_cast<float>(viewport[3] - 1));
        unsigned char rgba[4] = {};
        glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return glm::vec4(rgba[0], rgba[1], rgba[2], rgba[3]) / 255.0f;
    }

    Water make(GLuint program, const glm::mat4& model, float spread) {
        return Water(kCube, texture, program, spread, 4.0f, 1.0f, kMaterial, model,
                     glm::vec4(0.0f, 1.0f, 0.0f, 50.0f));
    }

    ScopedPlatform platform;
    Shader shaders;
    Texture textures;
    GLuint sprayProgram = 0;
    GLuint poolProgram = 0;
    GLuint texture = 0;
};

} // namespace

TEST_F(WaterOnTheGpu, BothProgramsBuildWithoutARemark) {
    EXPECT_EQ(remarksOf("data/shader/water_shader"), "");
    EXPECT_EQ(remarksOf("data/shader/waterPlane_shader"), "");
    EXPECT_NE(sprayProgram, 0u);
    EXPECT_NE(poolProgram, 0u);
    for (GLuint program : {sprayProgram, poolProgram}) {
        for (const char* uniform : {"perspective", "view", "model", "ctexture"}) {
            EXPECT_GE(glGetUniformLocation(program, uniform), 0) << uniform;
        }
        EXPECT_GE(glGetAttribLocation(program, "vertex"), 0);
    }
}

TEST_F(WaterOnTheGpu, SetupMakesOnlyTheParticleBufferAndDrawsLeaveNoTrace) {
    Water water = make(sprayProgram, glm::mat4(1.0f), 0.5f);
    water.setup();
    EXPECT_EQ(water.vertexBuffer, 0u) << "the mesh is never drawn";
    GLint size = 0;
    glBindBuffer(GL_ARRAY_BUFFER, water.particles->points.name());
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(size, WaterParticles::kCapacity * 16);

    water.update(0.1);
    water.update(0.1);
    lookDown(sprayProgram);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    water.draw();
    EXPECT_GT(pixelAt(0.0f, 0.0f).b, 0.2f) << "the spray shows where it is";
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites) << "back on after the see-through draw";
    GLint array = -1, elements = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &array);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elements);
    EXPECT_EQ(array, 0);
    EXPECT_EQ(elements, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glUseProgram(0);
}

TEST_F(WaterOnTheGpu, APoolCoversItsSquareAndEndsAtItsEdge) {
    std::srand(4);
    // A pool 4 across; particles from its centre spread far past its edge.
    Water pool = make(poolProgram, glm::scale(glm::mat4(1.0f), {2.0f, 1.0f, 2.0f}), 3.0f);
    pool.setup();
    for (int i = 0; i < 20; ++i) {
        pool.update(0.1);
    }
    lookDown(poolProgram);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    pool.draw();
    for (const glm::vec2& inside :
         {glm::vec2(0.0f), glm::vec2(1.5f, 1.5f), glm::vec2(-1.5f, 0.5f)}) {
        const glm::vec4 colour = pixelAt(inside.x, inside.y);
        EXPECT_GT(colour.b, 0.1f) << inside.x << ", " << inside.y;
        EXPECT_GT(colour.b, colour.r) << "water is blue";
    }
    for (const glm::vec2& outside :
         {glm::vec2(2.2f, 0.0f), glm::vec2(0.0f, -2.2f), glm::vec2(3.0f)}) {
        EXPECT_EQ(pixelAt(outside.x, outside.y), glm::vec4(0.0f, 0.0f, 0.0f, 1.0f))
            << outside.x << ", " << outside.y;
    }
    glUseProgram(0);
}
