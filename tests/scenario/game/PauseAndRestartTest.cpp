// P and R in the running game: a paused game stands still and goes on where it was; a
// restart plays the level again from its start, after GAME OVER too.
#include "../../support/GameFixture.h"
#include "../../support/ResidentSet.h"
#include "game/DoodadFan.h"
#include "physics/engine/Actor.h"
#include "platform/Keys.h"
#include "render/TextOverlay.h"

#include <vector>

namespace {

class PauseAndRestart : public GameFixture {
protected:
    PauseAndRestart() : GameFixture("../tests/data/levels/gameobjects.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle();
    }

    Character& character() const { return *director->world->character; }
    glm::vec3 position() const { return character().actor->getGlobalPosition(); }
    bool lineShown(const char* name) const {
        const HudLine* line = director->overlay->findLine(name);
        return line && line->visible;
    }
    // A press as quick as a player's tap: taken in at the end of one frame (its events
    // come with the buffer swap), acted on by the next.
    void tap(int key) {
        platform.input.press(key);
        platform.input.release(key);
        frames(2);
    }

    DoodadFan& fan() const {
        for (const auto& entity : director->world->entities) {
            if (auto* found = dynamic_cast<DoodadFan*>(entity.get())) {
                return *found;
            }
        }
        throw std::logic_error("the test level has a fan");
    }

    // What moves in the running game: the flame's value and place, its particles, the
    // fan's blades and the light's flicker.
    struct Snapshot {
        double flame;
        glm::vec3 position;
        std::vector<glm::vec4> particles;
        glm::mat4 fan;
        glm::vec4 light;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        const FlameParticles& particles = *character().particles;
        return {character().flame, position(),
                std::vector<glm::vec4>(particles.drawList(),
                                       particles.drawList() + particles.liveCount),
                fan().modelMatrix, director->light->color};
    }
};

} // namespace

TEST_F(PauseAndRestart, APausedGameStandsStillAndGoesOnWhereItWas) {
    // The test level's fan stands; this one turns a quarter round a second.
    fan().turnSpeed = 90.0f;
    frames(60);
    tap('P');
    ASSERT_TRUE(director->isPaused());
    EXPECT_TRUE(lineShown("paused"));
    const Snapshot paused = snapshot();
    ASSERT_GT(paused.particles.size(), 0u);

    // Ten seconds of walking, jumping and turning change nothing.
    platform.input.press('W');
    platform.input.press('A');
    for (int i = 0; i < 100; ++i) {
        if (i % 10 == 0) {
            tap(platform::key::Space);
        }
        frames(1, 0.1);
        ASSERT_TRUE(snapshot() == paused) << "frame " << i << " of the pause";
    }
    platform.input.release('W');
    platform.input.release('A');
    EXPECT_EQ(director->dt, 0.0) << "no game time passes";

    // P again: the game goes on from where it stood, game time picking up there.
    const double gameTimeAtPause = platform::clock().now();
    tap('P');
    EXPECT_FALSE(director->isPaused());
    EXPECT_FALSE(lineShown("paused"));
    EXPECT_DOUBLE_EQ(platform::clock().now(), gameTimeAtPause) << "the resuming frame took no time";
    frames(120);
    EXPECT_LT(character().flame, paused.flame) << "the flame drains again";
    EXPECT_NE(fan().modelMatrix, paused.fan) << "the fan turns again";
}

TEST_F(PauseAndRestart, RAfterGameOverPlaysTheLevelAgainFromItsStart) {
    const double fullFlame = character().flame;
    const glm::vec3 start = position();
    const std::size_t actors = director->physicsWorld->scene->getNbActors();
    // Turn the wire frame on: a player's setting, which the restart keeps.
    tap(platform::key::F3);
    const auto polygonMode = director->toggles.polygonModeState;

    platform.input.press('W');
    frames(30);
    platform.input.release('W');
    character().flame = 0.001;
    frames(60, 0.6);
    ASSERT_TRUE(character().locked);
    ASSERT_TRUE(lineShown("go"));
    const std::string stoppedAt = director->courseTimer.text();
    EXPECT_NE(stoppedAt, "Time: 0.0");
    frames(30);
    EXPECT_EQ(director->courseTimer.text(), stoppedAt) << "the timer stands after GAME OVER";

    tap('R');
    EXPECT_FALSE(lineShown("go")) << "GAME OVER is gone";
    EXPECT_FALSE(character().locked);
    EXPECT_DOUBLE_EQ(character().flame, fullFlame);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.0");
    EXPECT_EQ(director->physicsWorld->scene->getNbActors(), actors);
    EXPECT_EQ(director->toggles.polygonModeState, polygonMode);
    frames(30);
    EXPECT_NEAR(position().x, start.x, 0.05f);
    EXPECT_NEAR(position().z, start.z, 0.05f);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.0") << "waits for the player again";

    // R mid-run, and R during a pause, which it ends.
    platform.input.press('W');
    frames(20);
    tap('P');
    tap('R');
    platform.input.release('W');
    EXPECT_FALSE(director->isPaused());
    EXPECT_EQ(director->physicsWorld->scene->getNbActors(), actors);
}

TEST_F(PauseAndRestart, TheCourseTimerCountsGameTimeFromTheFirstMove) {
    frames(60);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.0") << "nothing pressed yet";
    EXPECT_TRUE(lineShown("time"));
    platform.input.press('W');
    frames(1); // the key is taken in at the end of this frame
    frames(31);
    platform.input.release('W');
    EXPECT_NEAR(director->courseTimer.seconds(), 30.0 / 60.0, 1e-9);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.5");

    tap('P');
    const double atPause = director->courseTimer.seconds();
    frames(120);
    EXPECT_EQ(director->courseTimer.seconds(), atPause) << "the pause's two seconds do not count";
    tap('P');
    frames(30);
    // The frame that took the second P in still stood; the one after it ran.
    EXPECT_NEAR(director->courseTimer.seconds(), atPause + 31.0 / 60.0, 1e-9);
}

TEST_F(PauseAndRestart, AHundredRestartsKeepThePhysicsSceneAndTheMemoryFlat) {
    const std::size_t actors = director->physicsWorld->scene->getNbActors();
    const std::size_t lines = director->overlay->lines.size();
    long afterTenth = 0;
    for (int restart = 1; restart <= 100; ++restart) {
        platform.input.press('W');
        frames(2);
        platform.input.release('W');
        tap('R');
        ASSERT_EQ(director->physicsWorld->scene->getNbActors(), actors) << "restart " << restart;
        ASSERT_EQ(director->overlay->lines.size(), lines) << "HUD lines after restart " << restart;
        if (restart == 10) {
            afterTenth = residentKiB();
        }
    }
    const long grown = residentKiB() - afterTenth;
    std::printf("resident set grew %+ld KiB over 90 restarts\n", grown);
    if (kResidentSetMeansSomething) {
        EXPECT_LE(grown, 2048);
    }
    EXPECT_NEAR(character().flame, 1.0, 0.011) << "full, but for the frame since";
}
