#include "game/WaterParticles.h"

#include "game/GameRandom.h"
#include "physics/PhysicsWorld.h"
#include "platform/Platform.h"

#include <GL/glew.h>
#include <glm/geometric.hpp>

#include <cstring>

namespace {

glm::vec3 unitOrZero(const glm::vec3& v) {
    const float length = glm::length(v);
    return length > 0.0f ? v / length : glm::vec3(0.0f);
}

} // namespace

WaterParticles::WaterParticles(const glm::vec3& direction, int emitCount, float spread,
                               float lifetime, float speed)
    : emitCount(emitCount), speed(speed), spread(spread), direction(unitOrZero(direction)),
      lifetime(lifetime) {
    for (int i = 0; i < 2; ++i) {
        positions[i].assign(kCapacity, glm::vec4(0.0f));
        velocities[i].assign(kCapacity, glm::vec4(0.0f));
    }
}

WaterParticles::~WaterParticles() {
    // Once the window is gone, so is the buffer.
    if (vertexBuffer != 0 && platform::window().handle()) {
        glDeleteBuffers(1, &vertexBuffer);
    }
}

void WaterParticles::createBuffer() {
    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity) * 16, nullptr, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

glm::vec3 WaterParticles::startVelocity(const glm::vec3& direction, float spread,
                                        const glm::vec3& differences) {
    const float length = glm::length(differences);
    // Six equal draws leave no direction to spread along.
    if (length == 0.0f) {
        return direction;
    }
    return direction + spread * differences / length;
}

void WaterParticles::update(double dt) {
    current = 1 - current;
    int n = 0;
    age(static_cast<float>(dt), n);
    emit(n);
    liveCount = n;

    if (vertexBuffer != 0) {
        glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
        void* mapped = glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
        if (mapped) {
            std::memcpy(mapped, positions[current].data(),
                        static_cast<std::size_t>(n) * sizeof(glm::vec4));
            glUnmapBuffer(GL_ARRAY_BUFFER);
        }
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
}

void WaterParticles::age(float dt, int& n) {
    const int previous = 1 - current;
    const float gravity = physicsWorld ? physicsWorld->gravity.y : 0.0f;
    for (int i = 0; i < liveCount && n < capacity; ++i) {
        glm::vec4 velocity = velocities[previous][i];
        velocity.w -= dt;
        if (velocity.w <= 0.0f) {
            continue;
        }
        // The pull grows with the particle's age, so the spray bends into an arc.
        const float age = lifetime - velocity.w;
        const float step = speed * dt;
        const glm::vec3 travel(velocity.x, velocity.y + age * gravity * dt, velocity.z);
        glm::vec4 position = positions[previous][i];
        position += glm::vec4(step * travel, 0.0f);
        positions[current][n] = position;
        velocities[current][n] = velocity;
        ++n;
    }
}

void WaterParticles::emit(int& n) {
    const glm::vec4 origin =
        model ? *model * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f) : glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    for (int i = 0; i < emitCount && n < capacity; ++i) {
        int r[6];
        for (int& value : r) {
            value = random15();
        }
        const glm::vec3 differences(static_cast<float>(r[4] - r[5]),
                                    static_cast<float>(r[2] - r[3]),
                                    static_cast<float>(r[0] - r[1]));
        glm::vec4 position = origin;
        position.w = static_cast<float>(random15());
        positions[current][n] = position;
        velocities[current][n] = glm::vec4(startVelocity(direction, spread, differences), lifetime);
        ++n;
    }
}

void WaterParticles::draw() {
    // Without its buffer the attribute would point into client memory at address 0.
    if (vertexBuffer == 0) {
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(glGetUniformLocation(program, "ctexture"), 0);
    if (model) {
        glUniformMatrix4fv(glGetUniformLocation(program, "model"), 1, GL_FALSE, &(*model)[0][0]);
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    const GLint vertex = glGetAttribLocation(program, "vertex");
    if (vertex >= 0) {
        glVertexAttribPointer(static_cast<GLuint>(vertex), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(static_cast<GLuint>(vertex));
    }
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_POINTS, 0, liveCount);
    glDepthMask(GL_TRUE);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (vertex >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(vertex));
    }
}
