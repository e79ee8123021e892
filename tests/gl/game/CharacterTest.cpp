// The flame: its drain, the HUD text, game over and the victory hold (setup needs GL).
#include "../GlContext.h"
#include "game/Character.h"
#include "render/TextOverlay.h"
#include "../../support/PlatformFixture.h"

#include <gtest/gtest.h>

namespace {

class CharacterFlame : public GlTest {
protected:
    void SetUp() override {
        character.overlay = &overlay;
        character.setup();
    }

    HudLine& line(const std::string& name) { return *overlay.findLine(name); }

    // One update at clock time t with a 60 Hz frame.
    void updateAt(double t) {
        platform.clock.set(t);
        character.update(1.0 / 60.0);
    }

    ScopedPlatform platform;
    TextOverlay overlay{0, 0};
    Character character{"tests/data/obj/cube_normals.obj", 0, 0, "tests/data/obj/crate.mtl",
                        glm::mat4(1.0f)};
};

} // namespace

TEST_F(CharacterFlame, DrainsEveryHalfSecondFromNinetyNine) {
    EXPECT_TRUE(line("character").visible);
    EXPECT_FALSE(line("go").visible);
    updateAt(0.5); // not more than half a second yet
    EXPECT_EQ(character.flameText, "");
    EXPECT_DOUBLE_EQ(character.flame, 1.0);

    updateAt(0.51);
    EXPECT_EQ(character.flameText, "Flame: 99");
    EXPECT_EQ(*line("character").text, "Flame: 99");
    EXPECT_FLOAT_EQ(character.particles->speed, static_cast<float>(2.5 * 0.99 + 0.5));
    EXPECT_EQ(character.particles->emitCount, 8); // truncate(7.92) + 1

    // A frame of several seconds drains one step only.
    updateAt(5.0);
    EXPECT_NEAR(character.flame, 0.98, 1e-12);
    updateAt(5.2);
    EXPECT_NEAR(character.flame, 0.98, 1e-12);
}

TEST_F(CharacterFlame, GameOverBelowZeroNotAtZeroAndOnlyOnce) {
    double t = 0.0;
    int steps = 0;
    while (!character.locked && steps < 200) {
        t += 0.51;
        updateAt(t);
        ++steps;
    }
    // 1.0 minus 0.01 a hundred times lands a hair below zero, not on it.
    EXPECT_EQ(steps, 100);
    EXPECT_TRUE(character.locked);
    EXPECT_DOUBLE_EQ(character.flame, 0.0);
    EXPECT_EQ(character.flameText, "");
    EXPECT_TRUE(line("go").visible);
    EXPECT_EQ(character.particles->emitCount, 0);
    EXPECT_EQ(character.particles->speed, 0.0f);

    // Later drains are reset to zero; the "go" line is not toggled off again.
    updateAt(t + 0.6);
    EXPECT_DOUBLE_EQ(character.flame, 0.0);
    EXPECT_TRUE(line("go").visible);
}

TEST_F(CharacterFlame, VictoryRefillsAndHolds) {
    character.flame = 0.3;
    character.victorious = true;
    character.locked = true;
    updateAt(100.0);
    EXPECT_DOUBLE_EQ(character.flame, 1.0);
    EXPECT_EQ(character.particles->emitCount, 15);
    updateAt(101.0);
    EXPECT_DOUBLE_EQ(character.flame, 1.0);
    EXPECT_FALSE(line("go").visible);

    character.addFlame(0.5);
    EXPECT_DOUBLE_EQ(character.flame, 1.0);
    character.addFlame(-0.25);
    EXPECT_DOUBLE_EQ(character.flame, 0.75);
}
