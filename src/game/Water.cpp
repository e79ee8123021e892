#include "game/Water.h"

#include "game/ActorTouch.h"
#include "game/Character.h"

#include <cmath>

namespace {

// For each physics step (a 60th of a second) the flame stands in the jet.
constexpr double kDrainPerStep = 0.01;

// More than the system can ever hold is as good as its capacity; a count that is no
// number at all emits nothing.
int emissionCount(float count) {
    if (!(count > 0.0f)) {
        return 0;
    }
    return static_cast<int>(std::fmin(count, static_cast<float>(WaterParticles::kCapacity)));
}

} // namespace

Water::Water(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
             float spread, float lifetime, float speed, const std::string& materialFile,
             const glm::mat4& modelMatrix, const glm::vec4& directionAndCount)
    : Entity(meshFile, texture, program, materialFile, modelMatrix),
      particles(std::make_unique<WaterParticles>(glm::vec3(directionAndCount),
                                                 emissionCount(directionAndCount.w), spread,
                                                 lifetime, speed)) {
    skipLitPasses = true;
    drawInWaterPass = true;
}

void Water::setup() {
    particles->texture = texture;
    particles->program = program;
    particles->model = &modelMatrix;
    particles->physicsWorld = world;
    particles->createBuffer();
}

void Water::update(double dt) {
    const std::uint32_t steps = takeTouches(actor);
    if (steps > 0 && character) {
        character->addFlame(-kDrainPerStep * steps);
    }
    particles->update(dt);
}

void Water::draw() {
    particles->draw();
}

void Water::describe(DrawRecord& record) const {
    Entity::describe(record);
    record.mesh = nullptr;
    record.sprites = &particles->points;
    record.spriteCount = particles->liveCount;
    record.spritesWriteDepth = false;
}
