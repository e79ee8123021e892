#include "GlCallCounter.h"

#include "../tests/support/RecordedMessages.h"
#include "core/AppState.h"
#include "core/OpenWindow.h"
#include "platform/Platform.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

using glcalls::Group;

TEST(GlCallCounterTest, GroupsByWhatTheCallDoes) {
    for (const auto& [name, group] : std::initializer_list<std::pair<const char*, Group>>{
             {"glGetUniformLocation", Group::LocationLookup},
             {"glGetAttribLocation", Group::LocationLookup},
             {"glGetUniformLocationARB", Group::LocationLookup},
             {"glGetUniformfv", Group::Other},
             {"glDrawArrays", Group::Draw},
             {"glDrawElementsInstanced", Group::Draw},
             {"glMultiDrawArrays", Group::Draw},
             {"glDrawBuffer", Group::Other},
             {"glDrawBuffers", Group::Other},
             {"glUniformMatrix4fv", Group::Uniform},
             {"glProgramUniform1i", Group::Uniform},
             {"glUseProgram", Group::Other},
             {"glBindTexture", Group::Texture},
             {"glActiveTexture", Group::Texture},
             {"glTexParameteri", Group::Texture},
             {"glCopyTexSubImage3D", Group::Texture},
             {"glBindFramebuffer", Group::Other},
         }) {
        EXPECT_EQ(glcalls::groupOf(name), group) << name;
    }
}

// Each kind of entry point, made for real in a GL context, is counted exactly once: the
// libGL symbols this executable defines, and the loaded functions once relayed.
TEST(GlCallCounterTest, CountsDirectAndLoadedCallsOncePerCall) {
    RecordedMessages quiet;
    ASSERT_TRUE(openWindow(AppState{})) << quiet.take();
    EXPECT_EQ(glcalls::relayedFunctionCount(), 0u);
    glcalls::relayLoadedFunctions();
    const std::size_t relayed = glcalls::relayedFunctionCount();
    EXPECT_GT(relayed, 100u);
    glcalls::relayLoadedFunctions(); // twice is no different from once
    EXPECT_EQ(glcalls::relayedFunctionCount(), relayed);

    const GLuint program = glCreateProgram();
    glcalls::Tally before = glcalls::tally();
    glGetUniformLocation(program, "perspective"); // loaded
    glGetAttribLocation(program, "position");     // loaded
    glUniform1i(-1, 0);                           // loaded
    glEnable(GL_BLEND);                           // libGL symbol
    glBindTexture(GL_TEXTURE_2D, 0);              // libGL symbol
    glDrawArrays(GL_POINTS, 0, 0);                // libGL symbol
    glcalls::Tally counted = glcalls::tally() - before;
    EXPECT_EQ(counted.total, 6u);
    EXPECT_EQ(counted.locationLookups, 2u);
    EXPECT_EQ(counted.uniforms, 1u);
    EXPECT_EQ(counted.textures, 1u);
    EXPECT_EQ(counted.draws, 1u);
    // The calls went through to the driver: glEnable took effect.
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    glDeleteProgram(program);

    // A new window's glewInit fills the pointers afresh: the calls are lost until relayed.
    platform::window().terminate();
    ASSERT_TRUE(openWindow(AppState{})) << quiet.take();
    EXPECT_EQ(glcalls::relayedFunctionCount(), 0u);
    glcalls::relayLoadedFunctions();
    before = glcalls::tally();
    glUseProgram(0);
    counted = glcalls::tally() - before;
    EXPECT_EQ(counted.total, 1u);
    const auto byFunction = glcalls::callsByFunction();
    EXPECT_NE(std::find_if(byFunction.begin(), byFunction.end(),
                           [](const auto& calls) { return calls.first == "glUseProgram"; }),
              byFunction.end());
    platform::window().terminate();
}
