// The flame's light: it follows the character, flickers in orange and goes out
// when the flame dies, but not when the goal is reached.
#include "render/Light.h"
#include "game/Character.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

class FlameLight : public testing::Test {
protected:
    void SetUp() override {
        std::srand(20240611u);
        // The Director's light and bounds.
        light.colorMin = glm::vec3(1.0f, 0.55f, 0.0f);
        light.colorMax = glm::vec3(1.0f, 0.6f, 0.0f);
        light.flickerEnabled = true;
        light.character = &character;
    }

    Character character{"tests/data/obj/cube_textured.obj", 0, 0, "tests/data/obj/crate.mtl",
                        glm::translate(glm::mat4(1.0f), glm::vec3(3.0f, 1.5f, -7.0f))};
    Light light{glm::vec4(0.0f, 2.0f, 0.0f, 1.0f), glm::vec4(1.0f, 0.7f, 0.4f, 1.0f),
                glm::vec4(0.1f, 0.1f, 0.1f, 1.0f), glm::vec4(0.5f, 0.2f, 0.2f, 1.0f)};
};

void expectOrange(const glm::vec4& color, int frame) {
    EXPECT_EQ(color.r, 1.0f) << "frame " << frame;
    EXPECT_GE(color.g, 0.55f) << "frame " << frame;
    EXPECT_LE(color.g, 0.6f) << "frame " << frame;
    EXPECT_EQ(color.b, 0.0f) << "frame " << frame;
    EXPECT_EQ(color.a, 1.0f) << "frame " << frame;
}

} // namespace

TEST_F(FlameLight, FlickersWithinItsBoundsAndChangesShadeEveryFewFrames) {
    std::set<float> greens;
    int sinceLastPick = 0;
    int longestHold = 0;
    for (int frame = 0; frame < 3000; ++frame) {
        const bool picks = light.pickNewColor;
        updateLight(light);
        expectOrange(light.color, frame);
        greens.insert(light.color.g);
        sinceLastPick = picks ? 0 : sinceLastPick + 1;
        longestHold = std::max(longestHold, sinceLastPick);
    }
    // The light sits on the character's origin.
    EXPECT_EQ(light.position, glm::vec4(3.0f, 1.5f, -7.0f, 1.0f));
    // A flame, not a lamp: the shade keeps changing, and never stays for long.
    EXPECT_GT(greens.size(), 20u);
    EXPECT_GE(longestHold, 1);
    EXPECT_LE(longestHold, 7);
}

TEST_F(FlameLight, KeepsBurningInVictoryAndGoesOutAtGameOver) {
    for (int frame = 0; frame < 10; ++frame) {
        updateLight(light);
    }
    // Reaching the goal locks the character, but the flame burns on.
    character.locked = true;
    character.victorious = true;
    std::set<float> greens;
    for (int frame = 0; frame < 200; ++frame) {
        updateLight(light);
        expectOrange(light.color, frame);
        greens.insert(light.color.g);
    }
    EXPECT_GE(greens.size(), 2u);

    // A flame that ran out: dark from the first frame on, and it stays dark.
    character.victorious = false;
    for (int frame = 0; frame < 50; ++frame) {
        updateLight(light);
        EXPECT_EQ(light.color, glm::vec4(0.0f)) << "frame " << frame;
    }
    // The dark light still follows the character.
    character.modelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(-1.0f, 0.5f, 2.0f));
    updateLight(light);
    EXPECT_EQ(light.position, glm::vec4(-1.0f, 0.5f, 2.0f, 1.0f));
}
