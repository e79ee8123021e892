// Every GLSL file the game ships compiles and links in the programs the game builds
// from it, and passes the reference compiler's checks too: a driver that accepts
// more than the language allows must not hide a fault that another driver rejects.
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"
#include "resources/Shader.h"

#include <GL/glew.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

namespace {

// The programs as the game loads them (paths relative to data/).
const std::array<const char*, 7> kPrograms = {
    "shader/simple_shader.vert shader/simple_shader.frag",
    "shader/font_shader.vert shader/font_shader.frag",
    "shader/partikel_shader.vert shader/partikel_shader.geom shader/partikel_shader.frag",
    "shader/water_shader.vert shader/water_shader.geom shader/water_shader.frag",
    "shader/waterPlane_shader.vert shader/waterPlane_shader.geom shader/waterPlane_shader.frag",
    "shader/shadowFirst.vert shader/shadowFirst.frag",
    "shader/shadowSecond.vert shader/shadowSecond.frag",
};

std::vector<std::string> filesOf(const std::string& list) {
    std::istringstream words(list);
    std::vector<std::string> files;
    for (std::string file; words >> file;) {
        files.push_back("data/" + file);
    }
    return files;
}

// Exit status and output of a command.
std::pair<int, std::string> run(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        return {-1, "cannot run " + command};
    }
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    return {pclose(pipe), output};
}

class ShaderFiles : public GlTest {};

} // namespace

TEST_F(ShaderFiles, EveryFileBelongsToAProgramThatLinks) {
    std::set<std::string> inPrograms;
    Shader shaders;
    for (const char* list : kPrograms) {
        SCOPED_TRACE(list);
        std::string paths;
        for (const std::string& file : filesOf(list)) {
            ASSERT_TRUE(std::filesystem::exists(file)) << file;
            inPrograms.insert(file);
            paths += file + " ";
        }
        RecordedMessages heard;
        const GLuint program = shaders.loadProgram(paths);
        const std::string messages = heard.take();
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_TRUE(linked) << messages;
        EXPECT_EQ(messages.find("error"), std::string::npos) << messages;
    }
    // A shader file that no program loads is dead, or a program is missing here.
    for (const auto& entry : std::filesystem::directory_iterator("data/shader")) {
        const std::string file = "data/shader/" + entry.path().filename().string();
        EXPECT_EQ(inPrograms.count(file), 1u) << file << " is in no program";
    }
}

TEST_F(ShaderFiles, EveryFilePassesTheReferenceCompiler) {
    const auto [found, where] = run("command -v glslangValidator");
    ASSERT_EQ(found, 0) << "glslangValidator is missing: scripts/install-deps installs it "
                           "(Debian package glslang-tools)";
    for (const char* list : kPrograms) {
        for (const std::string& file : filesOf(list)) {
            const auto [status, output] = run("glslangValidator " + file);
            EXPECT_EQ(status, 0) << file << "\n" << output;
        }
    }
}
