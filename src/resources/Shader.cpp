#include "resources/Shader.h"

#include "platform/Diagnostics.h"
#include "platform/InputFile.h"
#include "resources/Tokenize.h"

#include <GL/glew.h>

namespace {

const CacheEntry* findEntry(const std::vector<std::unique_ptr<CacheEntry>>& cache,
                            const std::string& name) {
    for (const auto& entry : cache) {
        if (entry->name == name) {
            return entry.get();
        }
    }
    return nullptr;
}

// The kind of a source file is the character four places from the end of its name:
// .vert, .frag, .geom. 0 when the name says nothing we know.
GLenum shaderKind(const std::string& fileName) {
    if (fileName.size() < 4) {
        return 0;
    }
    switch (fileName[fileName.size() - 4]) {
    case 'v':
        return GL_VERTEX_SHADER;
    case 'f':
        return GL_FRAGMENT_SHADER;
    case 'g':
        return GL_GEOMETRY_SHADER;
    default:
        return 0;
    }
}

// A log fetched into a buffer sized by GL_INFO_LOG_LENGTH, cut at its NUL.
std::string cutAtNul(std::string log) {
    const std::string::size_type end = log.find('\0');
    if (end != std::string::npos) {
        log.resize(end);
    }
    return log;
}

} // namespace

std::uint32_t Shader::loadShader(const std::string& fileName) {
    if (const CacheEntry* cached = findEntry(shaderCache, fileName)) {
        return cached->id;
    }
    const GLenum kind = shaderKind(fileName);
    if (kind == 0) {
        return 0;
    }
    const platform::InputFile file(fileName);
    if (!file.isOpen()) {
        // Compiling nothing would only bury the real cause in a driver log.
        file.reportUnopenable(fileName);
        return 0;
    }
    const std::string source(file.text());

    const GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);

    if (status != 0 && glIsShader(shader)) {
        platform::DiagnosticLine() << "Shader loaded and compiled successfully.";
        shaderCache.push_back(std::make_unique<CacheEntry>(CacheEntry{fileName, shader}));
        return shaderCache.back()->id;
    }
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(length > 0 ? length : 0), ' ');
    if (length > 0) {
        glGetShaderInfoLog(shader, length, nullptr, log.data());
    }
    platform::DiagnosticLine() << "Compile error:\n\n" << cutAtNul(log);
    return 0;
}

std::uint32_t Shader::loadProgram(const std::string& fileList) {
    if (const CacheEntry* cached = findEntry(programCache, fileList)) {
        return cached->id;
    }
    const GLuint program = glCreateProgram();
    for (const std::string& fileName : tokenize(fileList, " ")) {
        const GLuint shader = loadShader(fileName);
        if (shader != 0) {
            glAttachShader(program, shader);
        }
    }
    glBindFragDataLocation(program, 0, "fragColor");
    glLinkProgram(program);
    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);

    if (status != 0 && glIsProgram(program)) {
        platform::DiagnosticLine() << "Shader-program linked successfully.\n";
    } else {
        GLint length = 0;
        glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        std::string log(static_cast<std::size_t>(length > 0 ? length : 0), ' ');
        if (length > 0) {
            glGetProgramInfoLog(program, length, nullptr, log.data());
        }
        platform::DiagnosticLine() << "Shader-program link error:\n\n" << cutAtNul(log);
    }
    programCache.push_back(std::make_unique<CacheEntry>(CacheEntry{fileList, program}));
    return programCache.back()->id;
}
