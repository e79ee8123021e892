// Walking into crates pushes them along, never faster than the flame walks, and never
// throws them into the air.
#include "../../support/GameFixture.h"
#include "physics/engine/Actor.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <vector>

namespace {

class GentlePush : public GameFixture {
protected:
    GentlePush() : GameFixture("../tests/data/levels/crates.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle(FrameMode::SkipDrawing);
        director->world->character->lastDrainTime = 1e9;
        for (const auto& entity : director->world->entities) {
            if (entity->actor && entity->actor->isDynamic()) {
                crates.push_back(entity->actor);
            }
        }
    }

    std::vector<physics::Actor*> crates;
};

} // namespace

TEST_F(GentlePush, AStackOfThreeWalkedIntoAtFullSpeedIsPushedNotLaunched) {
    ASSERT_EQ(crates.size(), 3u);
    frames(60, 1.0 / 60.0, FrameMode::SkipDrawing); // let the stack settle
    std::vector<float> restingBottom;
    std::vector<glm::vec3> restingAt;
    for (physics::Actor* crate : crates) {
        restingBottom.push_back(crate->getWorldBounds().min.y);
        restingAt.push_back(crate->getGlobalPosition());
    }
    const float walkSpeed = static_cast<float>(director->world->character->moveSpeed);

    platform.input.press('W');
    float highestRise = 0.0f;
    float fastest = 0.0f;
    for (int i = 0; i < 120; ++i) {
        frames(1, 1.0 / 60.0, FrameMode::SkipDrawing);
        for (std::size_t c = 0; c < crates.size(); ++c) {
            highestRise =
                std::max(highestRise, crates[c]->getWorldBounds().min.y - restingBottom[c]);
            const glm::vec3 v = crates[c]->getLinearVelocity();
            fastest = std::max(fastest, glm::length(glm::vec2(v.x, v.z)));
        }
    }
    platform.input.release('W');
    frames(120, 1.0 / 60.0, FrameMode::SkipDrawing);

    EXPECT_LE(highestRise, 1.0f) << "half a crate's height at most";
    EXPECT_LE(fastest, walkSpeed * 1.05f) << "no faster than the flame walks";
    float farthest = 0.0f;
    for (std::size_t c = 0; c < crates.size(); ++c) {
        const glm::vec3 moved = crates[c]->getGlobalPosition() - restingAt[c];
        farthest = std::max(farthest, glm::length(glm::vec2(moved.x, moved.z)));
    }
    EXPECT_GT(farthest, 2.0f) << "the crates gave way";
}
