// What the flame's light reaches, drawn by the real passes with the shipped meshes,
// materials and shaders: a wall between the flame and the floor behind it, seen from
// the far side, where the camera often is.
#include "../../support/PlatformFixture.h"
#include "../../support/RecordedMessages.h"
#include "../../support/ScratchPath.h"
#include "core/Director.h"
#include "core/FrameLoop.h"
#include "game/Character.h"
#include "render/Light.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// The flame at the origin, a floor like the shipped level's (a thin slab on the level
// plane) and one wall segment standing on it 19.5 .. 20.5 ahead along +z: the floor
// behind the wall lies in its shadow.
const char* kLevel = "#Character\n"
                     "obj/character.obj\nobj/character.mtl\nobj/flame_sprite.png\n"
                     " 0 2 0\nu\nu\nu\n"
                     "#Box\nplane 0\n"
                     "obj/floor_large.obj\nobj/floor_large.mtl\nobj/stone_tiles.png\n"
                     " 0 0 0\nu\n 2 0.02 2\nu\n"
                     "#Box\nstatic 0\n"
                     "obj/wall.obj\nobj/wall.mtl\nobj/stone_bricks.png\n"
                     " 0 1.5 20\nu\nu\nu\n";

class FlameLight : public testing::Test {
protected:
    void SetUp() override {
        const std::string level = scratchPath("level.txt");
        std::ofstream(level) << kLevel;
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path("data");
        director = std::make_unique<Director>(level);
        RecordedMessages heard;
        const bool started = director->init();
        ASSERT_TRUE(started) << heard.take();
        // Land on the floor; nothing is drawn yet.
        platform.clock.set(0.5);
        for (int i = 0; i < 60; ++i) {
            platform.clock.advance(1.0 / 60.0);
            runFrame(*director, FrameMode::SkipDrawing);
        }
        // Every object in the passes, wherever the test puts the camera.
        director->frustum.frustumCulling = false;
        platform.clock.advance(1.0 / 60.0);
        runFrame(*director, FrameMode::SkipDrawing);
        // One colour of the flame's flicker, so that two pictures can be compared.
        director->light->flickerEnabled = false;
        director->light->color = glm::vec4(1.0f, 0.58f, 0.0f, 1.0f);
    }
    void TearDown() override {
        if (director) {
            director->frustum.frustumCulling = true;
            director->cleanup();
            director.reset();
        }
        std::filesystem::current_path(previousDirectory);
    }

    // The shadow maps and the lit scene from behind the wall, looking down at its foot.
    std::vector<unsigned char> draw() {
        director->camera->view = glm::lookAt(glm::vec3(0, 5, 28), glm::vec3(0, 0, 21),
                                             glm::vec3(0, 1, 0));
        director->renderDepthPass();
        director->renderLitPass();
        std::vector<unsigned char> pixels(kWidth * kHeight * 4);
        glFinish();
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // The same picture with every term of the flame's light off: the ambient light alone.
    std::vector<unsigned char> ambientOnly() {
        Light& light = *director->light;
        const glm::vec4 colour = light.color;
        const glm::vec4 specular = light.specularColor;
        light.color = glm::vec4(0.0f);
        light.specularColor = glm::vec4(0.0f);
        std::vector<unsigned char> picture = draw();
        light.color = colour;
        light.specularColor = specular;
        return picture;
    }

    glm::ivec2 pixelOf(const glm::vec3& point) const {
        const glm::vec4 clip =
            director->camera->perspective * director->camera->view * glm::vec4(point, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return glm::ivec2((ndc.x + 1.0f) * 0.5f * kWidth, (ndc.y + 1.0f) * 0.5f * kHeight);
    }

    static int red(const std::vector<unsigned char>& pixels, glm::ivec2 at) {
        EXPECT_TRUE(at.x >= 0 && at.x < kWidth && at.y >= 0 && at.y < kHeight);
        at = glm::clamp(at, glm::ivec2(0), glm::ivec2(kWidth - 1, kHeight - 1));
        return pixels[(static_cast<std::size_t>(at.y) * kWidth + at.x) * 4];
    }

    ScopedPlatform platform;
    std::unique_ptr<Director> director;
    std::filesystem::path previousDirectory;
};

} // namespace

TEST_F(FlameLight, TheFloorAlongTheFootOfAWallInItsOwnShadowGetsNoneOfItsLight) {
    const std::vector<unsigned char> lit = draw();
    const std::vector<unsigned char> dark = ambientOnly();
    // The first 0.3 of floor beyond the wall's far side (z 20.5), along most of the
    // wall's length: only the ambient light there, as well inside the shadow.
    int brightest = 0;
    for (float x = -3.0f; x <= 3.0f; x += 0.1f) {
        const glm::ivec2 foot = pixelOf({x, 0.01f, 20.5f});
        const glm::ivec2 out = pixelOf({x, 0.01f, 20.8f});
        ASSERT_GT(foot.y, out.y) << "the camera looks down at the foot";
        for (int y = out.y; y < foot.y - 1; ++y) {
            brightest = std::max(brightest, red(lit, {foot.x, y}) - red(dark, {foot.x, y}));
        }
    }
    EXPECT_LE(brightest, 2) << "light through the seam at the wall's foot";
    const glm::ivec2 inside = pixelOf({0.0f, 0.01f, 23.0f});
    EXPECT_EQ(red(lit, inside), red(dark, inside));
    // Where nothing stands between, the flame does light the floor.
    int lightest = 0;
    for (std::size_t i = 0; i < lit.size(); i += 4) {
        lightest = std::max(lightest, lit[i] - dark[i]);
    }
    EXPECT_GT(lightest, 60);
}

TEST_F(FlameLight, OnceTheFlameIsOutNothingIsLitByIt) {
    director->world->character->locked = true; // the flame has run out
    platform.clock.advance(1.0 / 60.0);
    runFrame(*director, FrameMode::SkipDrawing);
    ASSERT_EQ(director->light->color, glm::vec4(0.0f));
    const std::vector<unsigned char> out = draw();
    const std::vector<unsigned char> dark = ambientOnly();

    std::size_t differing = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        differing += out[i] != dark[i];
    }
    EXPECT_EQ(differing, 0u) << "a highlight of the flame that is out";
    const std::size_t shown = static_cast<std::size_t>(
        std::count_if(out.begin(), out.end(), [](unsigned char c) { return c > 4; }));
    EXPECT_GT(shown, 100000u) << "the ambient light still shows the floor";
}
