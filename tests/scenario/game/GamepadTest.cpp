// A scripted gamepad plugged in while playing: it walks, jumps, pauses and restarts.
#include "../../support/GameFixture.h"
#include "physics/engine/Actor.h"
#include "platform/GamepadState.h"
#include "render/TextOverlay.h"

#include <glm/geometric.hpp>

namespace pad = platform::pad;

namespace {

class Gamepad : public GameFixture {
protected:
    Gamepad() : GameFixture("../tests/data/levels/gameobjects.txt") {}

    void SetUp() override {
        GameFixture::SetUp();
        settle();
        platform.input.connectGamepad();
    }

    Character& character() const { return *director->world->character; }
    glm::vec3 position() const { return character().actor->getGlobalPosition(); }
    // Pressed for one frame and let go, as a thumb does.
    void push(int button) {
        platform.input.setGamepadButton(button, true);
        frames(1);
        platform.input.setGamepadButton(button, false);
        frames(1);
    }
};

} // namespace

TEST_F(Gamepad, TheLeftStickWalksOutsideItsDeadZoneOnly) {
    const glm::vec3 start = position();
    platform.input.setGamepadAxis(pad::LeftY, -0.12f); // a stick resting a little off centre
    frames(30);
    EXPECT_LT(glm::distance(position(), start), 0.01f);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.0") << "a resting stick is no move";

    platform.input.setGamepadAxis(pad::LeftY, -1.0f);
    frames(30);
    platform.input.setGamepadAxis(pad::LeftY, 0.0f);
    EXPECT_GT(glm::distance(position(), start), 1.0f);
    EXPECT_NE(director->courseTimer.text(), "Time: 0.0") << "the run has started";

    const glm::mat4 heading = character().modelMatrix;
    platform.input.setGamepadAxis(pad::LeftX, 1.0f);
    frames(10);
    platform.input.setGamepadAxis(pad::LeftX, 0.0f);
    EXPECT_NE(character().modelMatrix, heading) << "the flame turned";
}

TEST_F(Gamepad, AJumpsStartPausesAndBackRestarts) {
    const float ground = position().y;
    push(pad::A);
    frames(10);
    EXPECT_GT(position().y, ground + 0.5f) << "in the air";
    frames(120);
    EXPECT_NEAR(position().y, ground, 0.1f) << "landed again";

    push(pad::Start);
    ASSERT_TRUE(director->isPaused());
    const double flame = character().flame;
    platform.input.setGamepadAxis(pad::LeftY, -1.0f);
    push(pad::A);
    frames(60);
    platform.input.setGamepadAxis(pad::LeftY, 0.0f);
    EXPECT_EQ(character().flame, flame);
    EXPECT_NEAR(position().y, ground, 0.1f) << "no jump while paused";
    push(pad::Start);
    EXPECT_FALSE(director->isPaused());

    frames(240);
    ASSERT_LT(character().flame, flame - 0.02);
    push(pad::Back);
    // The level began again: full, but for the frame played since.
    EXPECT_NEAR(character().flame, 1.0, 0.011);
    EXPECT_EQ(director->courseTimer.text(), "Time: 0.0");

    // Pulled out mid-walk: the flame stops rather than walking on by itself.
    platform.input.setGamepadAxis(pad::LeftY, -1.0f);
    frames(5);
    platform.input.disconnectGamepad();
    frames(5);
    const glm::vec3 stopped = position();
    frames(30);
    EXPECT_LT(glm::distance(position(), stopped), 0.01f);
}
