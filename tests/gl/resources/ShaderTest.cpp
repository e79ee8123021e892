// Compiling, linking and caching GLSL programs.
#include "resources/Shader.h"
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"

#include <GL/glew.h>

#include <regex>

namespace {

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

GLint attachedShaders(GLuint program) {
    GLint n = 0;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &n);
    return n;
}

class ShaderPrograms : public GlTest {
protected:
    Shader shaders;
};

} // namespace

TEST_F(ShaderPrograms, SameListGivesTheSameProgramSilently) {
    RecordedMessages heard;
    const GLuint first = shaders.loadProgram("tests/data/shader/ok.vert tests/data/shader/ok.frag");
    EXPECT_EQ(heard.take(), "Shader loaded and compiled successfully.\n"
                            "Shader loaded and compiled successfully.\n"
                            "Shader-program linked successfully.\n\n");
    EXPECT_NE(first, 0u);
    GLint linked = 0;
    glGetProgramiv(first, GL_LINK_STATUS, &linked);
    EXPECT_TRUE(linked);
    EXPECT_EQ(glGetFragDataLocation(first, "fragColor"), 0);

    EXPECT_EQ(shaders.loadProgram("tests/data/shader/ok.vert tests/data/shader/ok.frag"), first);
    EXPECT_EQ(heard.take(), "");
}

TEST_F(ShaderPrograms, ASharedFileIsCompiledOnceAndAttachedToBoth) {
    RecordedMessages heard;
    const GLuint a = shaders.loadProgram("tests/data/shader/ok.vert tests/data/shader/ok.frag");
    // Runs of spaces around the names, and a second list that differs only in them.
    const GLuint b = shaders.loadProgram("  tests/data/shader/ok.vert   tests/data/shader/ok.frag ");
    const std::string out = heard.take();
    EXPECT_NE(a, b);
    EXPECT_EQ(count(out, "Shader loaded and compiled successfully."), 2);
    EXPECT_EQ(shaders.shaderCache.size(), 2u);
    EXPECT_EQ(attachedShaders(a), 2);
    EXPECT_EQ(attachedShaders(b), 2);
}

TEST_F(ShaderPrograms, ABrokenFileIsReportedAndLeftOut) {
    RecordedMessages heard;
    const GLuint program =
        shaders.loadProgram("tests/data/shader/ok.vert tests/data/shader/broken.frag");
    const std::string out = heard.take();
    EXPECT_NE(program, 0u);
    EXPECT_TRUE(std::regex_search(out, std::regex("^Shader loaded and compiled successfully\\.\n"
                                                  "Compile error:\n\n[^\n]+")))
        << out;
    // A vertex shader alone links under this driver; either outcome is reported.
    EXPECT_EQ(count(out, "Shader-program linked successfully.") +
                  count(out, "Shader-program link error:\n\n"),
              1)
        << out;
    EXPECT_EQ(attachedShaders(program), 1);
    EXPECT_EQ(shaders.programCache.size(), 1u);

    // The failed file is not cached: the next program that names it tries again.
    shaders.loadProgram("tests/data/shader/broken.frag tests/data/shader/ok.vert");
    EXPECT_EQ(count(heard.take(), "Compile error:"), 1);
}

TEST_F(ShaderPrograms, UnknownKindsAndMissingFilesAreSkipped) {
    RecordedMessages heard;
    const GLuint program = shaders.loadProgram(
        "tests/data/shader/notes.txt tests/data/shader/missing.vert x.f tests/data/shader/ok.frag");
    const std::string out = heard.take();
    EXPECT_NE(program, 0u);
    EXPECT_EQ(count(out, "Unable to open file tests/data/shader/missing.vert\n"), 1) << out;
    EXPECT_EQ(count(out, "notes.txt"), 0) << "a .txt file is skipped without a word";
    EXPECT_EQ(count(out, "Compile error"), 0);
    EXPECT_EQ(attachedShaders(program), 1);
    EXPECT_EQ(shaders.loadShader("tests/data/shader/notes.txt"), 0u);
}

TEST_F(ShaderPrograms, EveryShippedProgramCompilesAndLinks) {
    const char* lists[] = {"data/shader/font_shader.vert data/shader/font_shader.frag"};
    for (const char* list : lists) {
        RecordedMessages heard;
        const GLuint program = shaders.loadProgram(list);
        const std::string out = heard.take();
        EXPECT_EQ(count(out, "error"), 0) << list << "\n" << out;
        GLint linked = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_TRUE(linked) << list;
    }
}
