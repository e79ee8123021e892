#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

// While it lives, the GL's debug output (KHR_debug, core in GL 4.3) is on and its
// error messages are collected: a GL error names its call and cause, where
// glGetError only says that something, somewhere, failed. For tests only: the game
// never turns debug output on.
class GlDebugLog {
public:
    GlDebugLog() {
        available = GLEW_KHR_debug || GLEW_VERSION_4_3;
        if (!available) {
            return;
        }
        glEnable(GL_DEBUG_OUTPUT);
        // Reported inside the failing call, so the messages come in call order.
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        glDebugMessageCallback(&GlDebugLog::receive, this);
        glDebugMessageControl(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    }
    ~GlDebugLog() {
        if (available) {
            glDebugMessageCallback(nullptr, nullptr);
            glDisable(GL_DEBUG_OUTPUT);
        }
    }
    GlDebugLog(const GlDebugLog&) = delete;
    GlDebugLog& operator=(const GlDebugLog&) = delete;

    // Errors and undefined behaviour; performance hints and notes are not faults.
    std::vector<std::string> errors;
    bool available = false;

private:
    static void GLAPIENTRY receive(GLenum, GLenum type, GLuint id, GLenum severity, GLsizei,
                                   const GLchar* message, const void* self) {
        if (type == GL_DEBUG_TYPE_ERROR || type == GL_DEBUG_TYPE_UNDEFINED_BEHAVIOR ||
            severity == GL_DEBUG_SEVERITY_HIGH) {
            auto* log = static_cast<GlDebugLog*>(const_cast<void*>(self));
            log->errors.push_back("#" + std::to_string(id) + ": " + message);
        }
    }
};
