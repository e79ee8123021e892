// The GLFW 2 behaviour the game relies on, over GLFW 3 and in the scripted input.
#include "platform/GlfwInput.h"
#include "platform/Keys.h"
#include "platform/ScriptedInput.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
std::vector<std::pair<int, int>> keyEvents;
std::vector<std::pair<int, int>> mouseMoves;
void recordKey(int key, int action) { keyEvents.emplace_back(key, action); }
void recordMove(int x, int y) { mouseMoves.emplace_back(x, y); }
} // namespace

TEST(KeyCodes, GameKeysMapToGlfwKeysByMeaning) {
    using platform::GlfwInput;
    namespace key = platform::key;
    const std::pair<int, int> pairs[] = {
        {GLFW_KEY_SPACE, key::Space},  {GLFW_KEY_W, 87},          {GLFW_KEY_A, 65},
        {GLFW_KEY_S, 83},              {GLFW_KEY_D, 68},          {GLFW_KEY_ESCAPE, key::Esc},
        {GLFW_KEY_F2, 259},            {GLFW_KEY_F3, 260},        {GLFW_KEY_F4, 261},
        {GLFW_KEY_F5, 262},            {GLFW_KEY_F7, 264},        {GLFW_KEY_F8, 265},
        {GLFW_KEY_F9, 266},            {GLFW_KEY_ENTER, key::Enter}, {GLFW_KEY_KP_5, key::Kp0 + 5},
        {GLFW_KEY_RIGHT_ALT, key::RAlt},
    };
    for (auto [glfw, game] : pairs) {
        EXPECT_EQ(GlfwInput::toGameKey(glfw), game) << glfw;
        EXPECT_EQ(GlfwInput::toGlfwKey(game), glfw) << game;
    }
    EXPECT_EQ(key::Esc, 257);
    EXPECT_EQ(GlfwInput::toGameKey(GLFW_KEY_WORLD_1), key::Unknown);
    EXPECT_EQ(GlfwInput::toGlfwKey(9999), GLFW_KEY_UNKNOWN);
}

TEST(ScriptedInput, EventsTakeEffectWhenProcessedAsInTheSwap) {
    keyEvents.clear();
    platform::ScriptedInput input;
    input.setKeyCallback(recordKey);

    input.press(platform::key::F9);
    EXPECT_FALSE(input.isKeyDown(platform::key::F9));
    EXPECT_TRUE(keyEvents.empty()) << "events are taken inside the swap, not at once";
    input.processEvents();
    EXPECT_TRUE(input.isKeyDown(platform::key::F9));

    input.release(platform::key::F9);
    input.processEvents();
    ASSERT_EQ(keyEvents.size(), 2u);
    EXPECT_EQ(keyEvents[0], std::make_pair(platform::key::F9, platform::action::Press));
    EXPECT_EQ(keyEvents[1], std::make_pair(platform::key::F9, platform::action::Release));
    EXPECT_FALSE(input.isKeyDown(platform::key::F9));

    input.processEvents();
    EXPECT_EQ(keyEvents.size(), 2u) << "each event is delivered once";
}

TEST(ScriptedInput, NewMousePosCallbackIsCalledAtOnceWithTheCursor) {
    mouseMoves.clear();
    platform::ScriptedInput input;
    input.moveMouse(40, 30);
    input.processEvents(); // no callback yet: nothing recorded, but the cursor moved

    input.setMousePosCallback(recordMove);
    ASSERT_EQ(mouseMoves.size(), 1u);
    EXPECT_EQ(mouseMoves[0], std::make_pair(40, 30));

    // A program warp moves the cursor without a motion event.
    input.setMousePos(5, 6);
    input.processEvents();
    EXPECT_EQ(mouseMoves.size(), 1u);
    int x = 0;
    int y = 0;
    input.getMousePos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5, 6));
}

TEST(ScriptedInput, WheelIsAnAbsolutePosition) {
    platform::ScriptedInput input;
    input.setMouseWheel(-30);
    input.scrollWheel(2);
    input.scrollWheel(3);
    EXPECT_EQ(input.getMouseWheel(), -25);
}

TEST(ScriptedInput, ATapWithinOneBatchIsDownForTheNextFrameOnly) {
    namespace key = platform::key;
    platform::ScriptedInput input;
    input.press(key::Esc);
    input.release(key::Esc);
    input.pressButton(platform::mouse::Right);
    input.releaseButton(platform::mouse::Right);
    input.press('W'); // held on
    input.processEvents();
    EXPECT_TRUE(input.isKeyDown(key::Esc));
    EXPECT_TRUE(input.isMouseButtonDown(platform::mouse::Right));
    EXPECT_FALSE(input.isMouseButtonDown(platform::mouse::Left));

    input.processEvents();
    EXPECT_FALSE(input.isKeyDown(key::Esc));
    EXPECT_FALSE(input.isMouseButtonDown(platform::mouse::Right));
    EXPECT_TRUE(input.isKeyDown('W')) << "a held key is down by its own state";
    input.release('W');
    input.processEvents();
    EXPECT_FALSE(input.isKeyDown('W')) << "a release in its own batch ends the press at once";
}
