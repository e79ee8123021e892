// The frame as it is drawn: six-direction shadows, the pass order and its GL
// state, what is counted, and a clean GL debug log over a long run.
#include "../../support/GameFixture.h"
#include "../../support/GlDebugLog.h"
#include "camera/Frustum.h"
#include "game/Entity.h"
#include "physics/engine/Actor.h"
#include "resources/Material.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Mean of the red channel (0..255) over a square of the given half size around a
// pixel of the buffer being read (origin bottom left).
double meanRed(int x, int y, int half) {
    const int size = 2 * half + 1;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size * size * 4));
    glReadPixels(x - half, y - half, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    double sum = 0.0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        sum += pixels[i];
    }
    return sum / (size * size);
}

std::vector<unsigned char> readRegion(int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 4));
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// A level object the test places itself.
class TestObject : public Entity {
public:
    TestObject(std::uint32_t program, const glm::mat4& model)
        : Entity("../tests/data/obj/cube_textured.obj", program, "../tests/data/obj/crate.mtl",
                 model) {}
    void update(double) override {}
};

class ShadowRoom : public GameFixture {
protected:
    ShadowRoom() : GameFixture("../tests/data/levels/shadow_room.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        // Settle the player on its block; nothing here looks at pixels.
        frames(90, 1.0 / 60.0, FrameMode::SkipDrawing);
        // Every object in the passes, wherever the test puts the camera.
        director->frustum.frustumCulling = false;
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
        light = director->world->character->actor->getGlobalPosition();
    }
    void TearDown() override {
        director->frustum.frustumCulling = true;
        GameFixture::TearDown();
    }

    // Draws the shadow maps and the lit scene seen from eye, without swapping.
    void drawFrom(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up) {
        director->camera->view = glm::lookAt(eye, target, up);
        director->renderDepthPass();
        director->renderLitPass();
        glFinish();
    }

    // Where a world point lands in the window, in pixels from the bottom left.
    glm::ivec2 pixelOf(const glm::vec3& point) const {
        const glm::vec4 clip =
            director->camera->perspective * director->camera->view * glm::vec4(point, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return glm::ivec2((ndc.x + 1.0f) * 0.5f * kWidth, (ndc.y + 1.0f) * 0.5f * kHeight);
    }

    glm::vec3 light{0.0f};
};

} // namespace

TEST_F(ShadowRoom, ABlockOnEachSideOfTheLightShadowsTheSurfaceBehindIt) {
    ASSERT_NEAR(light.y, 2.06f, 0.05f) << "the player stands on its block";
    ASSERT_EQ(director->visibleEntities.size(), director->world->entities.size());

    struct Face {
        const char* name;
        glm::vec3 direction; // from the light to its block and the surface behind
        glm::vec3 shift;     // to the side the block is moved by 1.2
        glm::vec3 aside;     // where the camera stands off the line of the block
        glm::vec3 across;    // from behind the block out into the light
        float lit;           // how far out the light is sure to fall
    };
    // The floor lies behind the block the player stands on, right below it and only
    // 1.06 below the light: its shadow is much larger than the others.
    const std::array<Face, 6> faces{{
        {"+x", {1, 0, 0}, {0, 0, 1}, {0, 0, 1}, {0, 0, -1}, 3.0f},
        {"-x", {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {0, 1, 0}, 3.0f},
        {"+y", {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, 3.0f},
        {"-y", {0, -1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 0, 1}, 7.0f},
        {"+z", {0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, -1, 0}, 3.0f},
        {"-z", {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, {1, 0, 0}, 3.0f},
    }};
    for (const Face& face : faces) {
        SCOPED_TRACE(face.name);
        // The block, moved by 1.2 at 4 from the light, shadows the middle of
        // 1.5 .. 4.8 on the surface 9.9 away.
        const glm::vec3 behind = light + 9.9f * face.direction;
        const glm::vec3 shadowed = behind + 3.0f * face.shift;
        const glm::vec3 lit = behind + face.lit * face.across;
        drawFrom(light + 5.0f * face.aside + 2.0f * face.direction, 0.5f * (shadowed + lit),
                 glm::cross(face.aside, face.direction));

        const glm::ivec2 dark = pixelOf(shadowed);
        const glm::ivec2 bright = pixelOf(lit);
        for (const glm::ivec2& p : {dark, bright}) {
            ASSERT_GT(p.x, 10);
            ASSERT_LT(p.x, kWidth - 10);
            ASSERT_GT(p.y, 10);
            ASSERT_LT(p.y, kHeight - 10);
        }
        const double inShadow = meanRed(dark.x, dark.y, 3);
        const double inLight = meanRed(bright.x, bright.y, 3);
        EXPECT_GT(inLight, 60.0) << "the surface beside the shadow is lit";
        EXPECT_LT(inShadow, 0.35 * inLight) << "the shadow is clearly darker";
    }
}

TEST_F(ShadowRoom, TheLitPassDrawsWithColourWritesAndBackFaceCullingAfterTheDepthPass) {
    Director& d = *director;
    d.renderDepthPass();
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    GLint cullMode = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullMode);
    EXPECT_FALSE(mask[0] || mask[1] || mask[2] || mask[3]) << "the depth pass writes no colour";
    EXPECT_EQ(cullMode, GL_FRONT) << "the maps keep the far sides of the casters";
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);

    // Looking at the lit wall beside the +x block.
    d.camera->view =
        glm::lookAt(light + glm::vec3(2, 0, 5), light + glm::vec3(9.9f, 4, 0), glm::vec3(0, 1, 0));
    d.renderLitPass();
    glFinish();
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    glGetIntegerv(GL_CULL_FACE_MODE, &cullMode);
    EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]);
    EXPECT_EQ(cullMode, GL_BACK);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kWidth);
    EXPECT_EQ(viewport[3], kHeight);
    EXPECT_GT(meanRed(kWidth / 2, kHeight / 2, 20), 60.0) << "the lit wall fills the middle";

    // Each map on its own unit, 1 to 6, and its copy in its layer of the array the
    // program reads, on unit 7.
    GLint arrayUnit = -1;
    glGetUniformiv(d.shadowProgram, glGetUniformLocation(d.shadowProgram, "shadowMaps"),
                   &arrayUnit);
    EXPECT_EQ(arrayUnit, 7);
    glActiveTexture(GL_TEXTURE7);
    GLint boundArray = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D_ARRAY, &boundArray);
    EXPECT_EQ(static_cast<GLuint>(boundArray), d.renderer.shadowMaps.mapArray);
    constexpr std::size_t kMapTexels = 512 * 512;
    std::vector<float> layers(6 * kMapTexels);
    glGetTexImage(GL_TEXTURE_2D_ARRAY, 0, GL_DEPTH_COMPONENT, GL_FLOAT, layers.data());
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE("map " + std::to_string(i));
        glActiveTexture(GL_TEXTURE1 + i);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), d.renderer.shadowMaps.maps[i]);
        GLint width = 0;
        GLint format = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        EXPECT_EQ(width, 512);
        EXPECT_EQ(format, GL_DEPTH_COMPONENT24);
        std::vector<float> map(kMapTexels);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, map.data());
        EXPECT_TRUE(std::equal(map.begin(), map.end(), layers.begin() + i * kMapTexels));
        // Every face sees a block or a wall: nothing is left at the cleared depth.
        EXPECT_LT(*std::max_element(map.begin(), map.end()), 1.0f);
    }
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(d.light->litProgram, d.shadowProgram);
}

// Opaque surfaces are drawn without blending, which software GL pays for at every
// pixel; a see-through one is still blended over what lies behind it, and the pass
// leaves blending as it found it (the player can switch it off).
TEST_F(ShadowRoom, OnlySeeThroughSurfacesAreBlendedInTheLitPass) {
    Director& d = *director;
    const glm::vec3 eye = light + glm::vec3(2, 0, 5);
    const glm::vec3 wall = light + glm::vec3(9.9f, 4, 0);
    // Untextured, so only the material decides: on the line of sight, in front of the wall.
    auto owned = std::make_unique<TestObject>(
        d.simpleProgram,
        glm::scale(glm::translate(glm::mat4(1.0f), eye + 0.3f * (wall - eye)), glm::vec3(0.5f)));
    owned->setup();
    owned->textureManager = d.textureCache.get();
    TestObject& cube = *owned;
    d.world->entities.push_back(std::move(owned));
    d.visibleEntities.push_back(&cube);

    const auto redWithAlpha = [&](float alpha) {
        cube.material->kd.a = alpha;
        drawFrom(eye, wall, glm::vec3(0, 1, 0));
        return meanRed(kWidth / 2, kHeight / 2, 3);
    };
    const double solid = redWithAlpha(1.0f);
    const double clear = redWithAlpha(0.0f);
    ASSERT_GT(std::abs(solid - clear), 20.0) << "the cube and the wall behind it differ";
    EXPECT_NEAR(redWithAlpha(0.5f), 0.5 * (solid + clear), 3.0);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    glDisable(GL_BLEND);
    EXPECT_NEAR(redWithAlpha(0.0f), solid, 1.0) << "with blending off it covers the wall";
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glEnable(GL_BLEND);
}

namespace {
class FlatFloor : public GameFixture {
protected:
    FlatFloor() : GameFixture("../tests/data/levels/flat.txt") {}
};

class BehindTheCamera : public GameFixture {
protected:
    BehindTheCamera() : GameFixture("../tests/data/levels/behind_the_camera.txt") {}
};
} // namespace

TEST_F(FlatFloor, AWaterObjectIsDrawnAndCountedOnceInTheWaterPass) {
    frames(5);
    const int plain = director->renderedObjects;
    ASSERT_GT(plain, 1);

    // Straight ahead of the camera, in view.
    const glm::vec3 ahead =
        glm::vec3(director->world->character->modelMatrix[3]) + glm::vec3(0, 0, -5);
    auto water = std::make_unique<TestObject>(director->simpleProgram,
                                              glm::translate(glm::mat4(1.0f), ahead));
    water->skipLitPasses = true;
    water->drawInWaterPass = true;
    water->setup();
    TestObject* waterObject = water.get();
    director->world->entities.push_back(std::move(water));
    frames(1);
    EXPECT_EQ(director->renderedObjects, plain + 1);
    // The shadow passes would have given it their program.
    EXPECT_EQ(waterObject->program, director->simpleProgram);

    // Without skipLitPasses it is drawn, and counted, in the lit pass as well.
    waterObject->skipLitPasses = false;
    frames(1);
    EXPECT_EQ(director->renderedObjects, plain + 2);
}

TEST_F(FlatFloor, TheHudShowsTheCullingLineOfThePreviousFrame) {
    showLine(*director->overlay, "cul");
    frames(3);
    const std::string culledLine = director->cullingText;
    ASSERT_EQ(culledLine.rfind("Frustum on:", 0), 0u) << culledLine;

    // The frame that turns culling off still shows the line of the frame before.
    director->frustum.frustumCulling = false;
    frames(1);
    const std::string unculledLine = director->cullingText;
    ASSERT_EQ(unculledLine.rfind("Frustum off:", 0), 0u) << unculledLine;
    // Where the line is drawn: left half, near the top, above the floor. Software GL
    // copies the back buffer to the window on a swap and keeps it, so it still holds
    // the frame just shown; the comparisons below fail should a driver drop it.
    const auto shown = readRegion(0, kHeight - 130, 380, 80);

    // The same frame drawn with each line in turn.
    auto drawnWith = [&](const std::string& line) {
        director->cullingText = line;
        frames(1);
        return readRegion(0, kHeight - 130, 380, 80);
    };
    const auto withCulled = drawnWith(culledLine);
    const auto withUnculled = drawnWith(unculledLine);
    director->frustum.frustumCulling = true;

    ASSERT_NE(withCulled, withUnculled) << "the two lines look different";
    EXPECT_EQ(shown, withCulled);
}

TEST_F(BehindTheCamera, TheCullingLineCountsTheCharacterWhenNothingElseIsInView) {
    frames(3);
    EXPECT_TRUE(director->visibleEntities.empty());
    EXPECT_EQ(director->cullingText, "Frustum on: Total Objects: 2 - Rendered Objects: 1");

    director->frustum.frustumCulling = false;
    frames(1);
    director->frustum.frustumCulling = true;
    EXPECT_EQ(director->cullingText, "Frustum off: Total Objects: 2 - Rendered Objects: 2");
}

namespace {
class ShippedLevelDebugOutput : public GameFixture {
protected:
    ShippedLevelDebugOutput() : GameFixture("config/config.txt") {}
};
} // namespace

TEST_F(ShippedLevelDebugOutput, SixHundredFramesRaiseNoGlError) {
    // Start-up, shadow set-up included, left no error behind.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GlDebugLog log;
    ASSERT_TRUE(log.available) << "the GL offers no debug output";

    // Walk and turn, so that objects come into view and leave it again.
    for (int part = 0; part < 6; ++part) {
        platform.input.press('W');
        platform.input.press(part % 2 == 0 ? 'A' : 'D');
        ASSERT_TRUE(frames(60));
        platform.input.release('W');
        platform.input.release(part % 2 == 0 ? 'A' : 'D');
        ASSERT_TRUE(frames(40));
    }
    EXPECT_TRUE(log.errors.empty())
        << log.errors.size()
        << " GL errors, the first: " << (log.errors.empty() ? "" : log.errors.front());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
