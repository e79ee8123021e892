#include "game/FlameParticles.h"

#include "camera/Camera.h"
#include "game/GameRandom.h"
#include "platform/Platform.h"

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include <algorithm>

FlameParticles::FlameParticles(int emitCount, float lifeRange, float speed)
    : emitCount(emitCount), speed(speed), lifeRange(static_cast<int>(lifeRange)) {
    for (int i = 0; i < 2; ++i) {
        positions[i].assign(kCapacity, glm::vec4(0.0f));
        velocities[i].assign(kCapacity, glm::vec3(0.0f));
    }
    drawOrder.assign(kCapacity, glm::vec4(0.0f));
}

void FlameParticles::update(double dt) {
    // The emission centre rises and sinks over alternating two-second spans; long
    // frames freeze it rather than make it jump.
    if (dt < 0.05) {
        const double now = platform::clock().now();
        if (now - lastToggle > 2.0) {
            lastToggle = now;
            growing = !growing;
        }
        emitHeight += static_cast<float>(growing ? 0.5 * dt : -0.5 * dt);
    }

    // Sort key: the camera's backward direction in world space.
    const glm::vec4 viewAxis =
        camera ? glm::inverse(camera->view) * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f) : glm::vec4(0.0f);

    current = 1 - current;
    int n = 0;
    age(static_cast<float>(dt), n);
    emit(n);

    // Farthest from the camera first, so the glow blends back to front.
    std::sort(drawOrder.begin(), drawOrder.begin() + n,
              [&viewAxis](const glm::vec4& a, const glm::vec4& b) {
                  return glm::dot(viewAxis, a) < glm::dot(viewAxis, b);
              });
    liveCount = n;

    points.upload(drawOrder.data(), n);
}

void FlameParticles::age(float dt, int& n) {
    const int previous = 1 - current;
    for (int i = 0; i < liveCount && n < kCapacity; ++i) {
        glm::vec4 position = positions[previous][i];
        glm::vec3 velocity = velocities[previous][i];
        position.w -= dt;
        if (position.w <= 0.0f) {
            continue;
        }
        // Rising all the time; in the last 0.9 s of life the sideways drift turns
        // back in, which closes the flame's tip.
        const float k = speed * dt;
        glm::vec3 d = k * velocity / position.w;
        velocity.y += d.y;
        if (position.w < 0.9f) {
            d.x = -d.x;
            d.z = -d.z;
            velocity.x += d.x;
            velocity.z += d.z;
        }
        position += glm::vec4(d, 0.0f);
        positions[current][n] = position;
        velocities[current][n] = velocity;
        drawOrder[n] = position;
        ++n;
    }
}

void FlameParticles::emit(int& n) {
    const glm::mat4 frame = model ? *model : glm::mat4(1.0f);
    for (int i = 0; i < emitCount && n < kCapacity; ++i) {
        const int r1 = random15();
        const int r2 = random15();
        const int r3 = random15();
        const int r4 = random15();
        const int r5 = random15();
        glm::vec3 direction(static_cast<float>(r4 - r5), static_cast<float>(r3),
                            static_cast<float>(r1 - r2));
        const float length = glm::length(direction);
        // All five draws can cancel out; such a particle simply goes straight up.
        direction = length > 0.0f ? direction / length : glm::vec3(0.0f, 1.0f, 0.0f);
        const glm::vec4 local(direction.x / 3.0f, direction.y / 3.0f + emitHeight,
                              direction.z / 3.0f, 1.0f);
        glm::vec4 position = frame * local;
        const int r6 = random15();
        const int r7 = random15();
        const int wholeSeconds = lifeRange > 0 ? r6 % lifeRange : 0;
        position.w = static_cast<float>(wholeSeconds) + static_cast<float>(r7) / 32767.0f;
        positions[current][n] = position;
        velocities[current][n] = direction;
        drawOrder[n] = position;
        ++n;
    }
}

void FlameParticles::draw() {
    points.draw(program, texture, model, liveCount);
}
