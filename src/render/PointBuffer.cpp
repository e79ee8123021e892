#include "render/PointBuffer.h"

#include "platform/Platform.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstring>

PointBuffer::~PointBuffer() {
    // Once the window is gone, so is the buffer.
    if (buffer != 0 && platform::window().handle()) {
        glDeleteBuffers(1, &buffer);
    }
}

void PointBuffer::create() {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity) * sizeof(glm::vec4), nullptr,
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void PointBuffer::upload(const glm::vec4* points, int count) {
    if (buffer == 0) {
        return;
    }
    count = std::clamp(count, 0, capacity);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    // Write-only mapping: the driver need not read back what the last frame drew.
    void* mapped = glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
    if (mapped) {
        std::memcpy(mapped, points, static_cast<std::size_t>(count) * sizeof(glm::vec4));
        glUnmapBuffer(GL_ARRAY_BUFFER);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void PointBuffer::draw(std::uint32_t program, std::uint32_t texture, const glm::mat4* model,
                       int count) {
    if (buffer == 0) {
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(locations.uniform(program, "ctexture"), 0);
    if (model) {
        glUniformMatrix4fv(locations.uniform(program, "model"), 1, GL_FALSE, &(*model)[0][0]);
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLint vertex = locations.attribute(program, "vertex");
    if (vertex >= 0) {
        glVertexAttribPointer(static_cast<GLuint>(vertex), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(static_cast<GLuint>(vertex));
    }
    glDrawArrays(GL_POINTS, 0, std::clamp(count, 0, capacity));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (vertex >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(vertex));
    }
}

void PointBuffer::drawSeeThrough(std::uint32_t program, std::uint32_t texture,
                                 const glm::mat4* model, int count) {
    glDepthMask(GL_FALSE);
    draw(program, texture, model, count);
    glDepthMask(GL_TRUE);
}
