#include "game/WaterParticles.h"

#include "game/GameRandom.h"
#include "physics/PhysicsWorld.h"

#include <glm/geometric.hpp>

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

    points.upload(positions[current].data(), n);
}

void WaterParticles::age(float dt, int& n) {
    const int previous = 1 - current;
    const float gravity = physicsWorld ? physicsWorld->gravity.y : 0.0f;
    for (int i = 0; i < liveCount && n < kCapacity; ++i) {
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
    for (int i = 0; i < emitCount && n < kCapacity; ++i) {
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
    points.drawSeeThrough(program, texture, model, liveCount);
}
