// The game window and the GL state every frame starts from.
#include "../../support/RecordedMessages.h"
#include "core/AppState.h"
#include "core/OpenWindow.h"
#include "platform/Platform.h"

#include "../X11WindowTitle.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>

class GameWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RecordedMessages heard;
        opened = openWindow(AppState{});
        messages = heard.take();
    }
    static void TearDownTestSuite() { platform::window().terminate(); }
    // Without a window the GL calls below would crash rather than fail.
    void SetUp() override { ASSERT_TRUE(opened) << messages; }

    static bool opened;
    static std::string messages;
};
bool GameWindow::opened = false;
std::string GameWindow::messages;

TEST_F(GameWindow, StartsWithBothMessagesInOrder) {
    EXPECT_EQ(messages, "GLFW initialized\nGLEW initialized\n");
}

TEST_F(GameWindow, Is1024By768FixedSizeAndTitledVellamora) {
    GLFWwindow* handle = platform::window().handle();
    ASSERT_NE(handle, nullptr);
    int width = 0;
    int height = 0;
    platform::window().getSize(width, height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(glfwGetWindowAttrib(handle, GLFW_RESIZABLE), GLFW_FALSE);

    EXPECT_EQ(x11WindowTitle(handle), "Vellamora");
    EXPECT_TRUE(platform::window().isOpen());
}

TEST_F(GameWindow, ContextIsACompatibilityProfileWithDepthAndStencil) {
    GLint major = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    EXPECT_GE(major, 3);
    GLint profile = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_EQ(profile & GL_CONTEXT_CORE_PROFILE_BIT, 0) << "quads and GL_CLAMP need compatibility";

    GLint depthBits = 0;
    GLint stencilBits = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH,
                                          GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depthBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL,
                                          GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE, &stencilBits);
    EXPECT_GE(depthBits, 24);
    EXPECT_GE(stencilBits, 8);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GameWindow, FixedGlStateForEveryPass) {
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
