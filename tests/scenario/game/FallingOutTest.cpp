// Falling out of the level: the game ends when the flame is 30 units below the lowest
// point of every object, rather than burning out slowly in the void.
#include "../../support/GameFixture.h"
#include "physics/engine/Actor.h"
#include "physics/engine/Controller.h"
#include "render/TextOverlay.h"

#include <algorithm>

namespace {

class FallingOut : public GameFixture {
protected:
    FallingOut() : GameFixture("../tests/data/levels/ledge.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
    }

    glm::vec3 position() const { return director->world->character->actor->getGlobalPosition(); }
};

} // namespace

TEST_F(FallingOut, FallingOffTheLevelEndsTheGameThirtyUnitsBelowItsLowestPoint) {
    Character& character = *director->world->character;
    EXPECT_NEAR(director->world->lowestPoint(), -1.0f, 1e-4f) << "the floor's underside";
    EXPECT_NEAR(character.fallLimit, -31.0f, 1e-4f);
    character.lastDrainTime = 1e9;
    // Walked off the floor's edge at x = 20.
    character.controller->setPosition({25.0, 1.06, 0.0});
    float lowestSeen = 1e9f;
    for (int i = 0; i < 60 * 20 && !character.locked; ++i) {
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
        lowestSeen = std::min(lowestSeen, position().y);
        ASSERT_TRUE(character.locked || position().y >= character.fallLimit - 1.0f);
    }
    ASSERT_TRUE(character.locked) << "still falling at " << position().y;
    EXPECT_FALSE(character.victorious);
    EXPECT_LT(lowestSeen, -31.0f);
    EXPECT_GT(lowestSeen, -33.0f) << "over at once";
    EXPECT_DOUBLE_EQ(character.flame, 0.0);
    EXPECT_TRUE(director->overlay->findLine("go")->visible);

    // R: back at the start, burning.
    platform.input.press('R');
    frames(2);
    platform.input.release('R');
    frames(30);
    EXPECT_FALSE(director->world->character->locked);
    EXPECT_FALSE(director->overlay->findLine("go")->visible);
    EXPECT_NEAR(position().y, 1.06f, 0.05f);
}
