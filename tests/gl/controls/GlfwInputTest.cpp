// The real input path: events from the X server into the game window, through GLFW 3,
// as the game sees them (GLFW 2 behaviour, taps latched for one frame).
#include "../GlContext.h"
#include "../X11Events.h"

#include "platform/Keys.h"
#include "platform/Platform.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Events = std::vector<std::pair<int, int>>;
Events keyEvents;
Events buttonEvents;
Events mouseMoves;
void recordKey(int key, int action) { keyEvents.emplace_back(key, action); }
void recordButton(int button, int action) { buttonEvents.emplace_back(button, action); }
void recordMove(int x, int y) { mouseMoves.emplace_back(x, y); }

constexpr std::pair<int, int> press(int code) { return {code, platform::action::Press}; }
constexpr std::pair<int, int> release(int code) { return {code, platform::action::Release}; }

class RealInput : public GlTest {
protected:
    void SetUp() override {
        GLFWwindow* handle = platform::window().handle();
        ASSERT_TRUE(x11::prepare(handle)) << "the X server offers no XTest";
        // The focus arrives as an event; a busy server may take a while.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!glfwGetWindowAttrib(handle, GLFW_FOCUSED) &&
               std::chrono::steady_clock::now() < deadline) {
            frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(glfwGetWindowAttrib(handle, GLFW_FOCUSED)) << "the window never got the focus";
        input().setKeyCallback(recordKey);
        input().setMouseButtonCallback(recordButton);
        input().setMousePosCallback(nullptr);
        frame();
        keyEvents.clear();
        buttonEvents.clear();
        mouseMoves.clear();
    }
    void TearDown() override {
        input().setKeyCallback(nullptr);
        input().setMouseButtonCallback(nullptr);
        input().setMousePosCallback(nullptr);
    }

    static platform::InputDevice& input() { return platform::input(); }
    // One frame's end: the swap, and the events that came in meanwhile.
    static void frame() { platform::window().swapBuffers(); }
    static void tapKey(const char* keysym) {
        x11::key(keysym, true);
        x11::key(keysym, false);
    }
    static void tapButton(int xButton) {
        x11::button(xButton, true);
        x11::button(xButton, false);
    }
};

TEST_F(RealInput, ATapBetweenTwoFramesIsDownForExactlyTheNextFrame) {
    namespace key = platform::key;
    tapKey("Escape");
    tapKey("space");
    tapKey("w");
    tapButton(3);
    frame();
    ASSERT_EQ(keyEvents, (Events{press(key::Esc), release(key::Esc), press(key::Space),
                                 release(key::Space), press('W'), release('W')}))
        << "press and release of each key in one batch, mapped to the game's codes";
    ASSERT_EQ(buttonEvents, (Events{press(platform::mouse::Right), release(platform::mouse::Right)}));
    EXPECT_TRUE(input().isKeyDown(key::Esc));
    EXPECT_TRUE(input().isKeyDown(key::Space));
    EXPECT_TRUE(input().isKeyDown('W'));
    EXPECT_TRUE(input().isMouseButtonDown(platform::mouse::Right));
    EXPECT_TRUE(input().isKeyDown(key::Esc)) << "polling twice in one frame sees the tap twice";
    EXPECT_FALSE(input().isKeyDown('S'));
    EXPECT_FALSE(input().isMouseButtonDown(platform::mouse::Left));

    frame();
    EXPECT_FALSE(input().isKeyDown(key::Esc));
    EXPECT_FALSE(input().isKeyDown(key::Space));
    EXPECT_FALSE(input().isKeyDown('W'));
    EXPECT_FALSE(input().isMouseButtonDown(platform::mouse::Right));
}

TEST_F(RealInput, AHeldKeyIsDownUntilReleasedAndItsRepeatsAreDropped) {
    x11::key("d", true);
    frame();
    x11::key("d", true); // what the keyboard's auto-repeat sends while a key is held
    x11::key("d", true);
    frame();
    EXPECT_TRUE(input().isKeyDown('D'));
    frame();
    EXPECT_TRUE(input().isKeyDown('D'));
    x11::key("d", false);
    frame();
    EXPECT_FALSE(input().isKeyDown('D')) << "a release in its own batch ends the press at once";
    EXPECT_EQ(keyEvents, (Events{press('D'), release('D')}));

    x11::key("F2", true);
    x11::key("F2", false);
    frame();
    ASSERT_EQ(keyEvents.size(), 4u);
    EXPECT_EQ(keyEvents[2], press(platform::key::F2));
}

TEST_F(RealInput, TheWheelIsTheSumOfItsStepsAndCanBeSet) {
    input().setMouseWheel(-30);
    tapButton(4); // a step up, towards the flame
    tapButton(4);
    tapButton(4);
    tapButton(5);
    frame();
    EXPECT_EQ(input().getMouseWheel(), -28);
    input().setMouseWheel(0);
    tapButton(5);
    frame();
    EXPECT_EQ(input().getMouseWheel(), -1);
    EXPECT_TRUE(buttonEvents.empty()) << "wheel steps are not button presses";
}

TEST_F(RealInput, ANewMousePositionCallbackIsCalledAtOnceWithTheCursor) {
    GLFWwindow* handle = platform::window().handle();
    x11::pointerTo(handle, 120, 80);
    frame();
    input().setMousePosCallback(recordMove);
    ASSERT_EQ(mouseMoves, (Events{{120, 80}})) << "called at registration, before any frame";

    x11::pointerTo(handle, 130, 95);
    frame();
    EXPECT_EQ(mouseMoves.back(), std::make_pair(130, 95));
    int x = 0;
    int y = 0;
    input().getMousePos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(130, 95));
}

} // namespace
