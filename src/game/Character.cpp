#include "game/Character.h"

#include "physics/engine/Controller.h"
#include "platform/Platform.h"
#include "render/DrawRecord.h"
#include "render/TextOverlay.h"

#include <algorithm>
#include <sstream>

namespace {
constexpr double kDrainInterval = 0.5;
constexpr double kDrainStep = 0.01;
} // namespace

Character::Character(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                     const std::string& materialFile, const glm::mat4& modelMatrix)
    : CharacterEntity(meshFile, texture, program, materialFile, modelMatrix),
      // The scale members are declared after the particles: spell their values out.
      particles(std::make_unique<FlameParticles>(8, 2.0f, 2.5f)) {}

Character::~Character() {
    if (overlay) {
        overlay->removeLines(&flameText);
        overlay->removeLines(&gameOverText);
    }
}

void Character::setup() {
    if (overlay) {
        addLine(&flameText, *overlay, "character", 900.0f, true, true, -490.0f, -370.0f,
                kHudTextColor, -1.0, 0.0);
        addLine(&gameOverText, *overlay, "go", 2000.0f, false, false, 170.0f, 0.0f,
                {1.0f, 0.2f, 0.2f, 1.0f}, -1.0, 0.0);
    }
    particles->texture = texture;
    particles->program = program;
    particles->model = &modelMatrix;
    particles->camera = camera;
    particles->createBuffer();
}

void Character::update(double dt) {
    particles->update(dt);

    if (victorious) {
        addFlame(1.0);
        particles->speed = 2.5f;
        particles->emitCount = 15;
        return;
    }

    // One step per update at most, so a long frame drains no faster.
    const double now = platform::clock().now();
    if (now - lastDrainTime > kDrainInterval) {
        lastDrainTime = now;
        flame -= kDrainStep;
        showFlame();
    }

    if (!locked && modelMatrix[3].y < fallLimit) {
        flame = -1.0; // fell out of the level: nothing left to burn for
    }

    if (flame < 0.0) {
        flame = 0.0;
        flameText.clear();
        particles->speed = 0.0f;
        particles->emitCount = 0;
        if (!locked && overlay) {
            showLine(*overlay, "go");
        }
        locked = true;
    }
}

void Character::showFlame() {
    std::ostringstream text;
    text << "Flame: " << flame * 100.0;
    flameText = text.str();
    particles->speed = static_cast<float>(particleSpeedScale * flame + 0.5);
    particles->emitCount = static_cast<int>(particleCountScale * flame) + 1;
}

void Character::continueFrom(const Character& earlier) {
    modelMatrix = earlier.modelMatrix;
    cameraOffset = earlier.cameraOffset;
    cameraPitch = earlier.cameraPitch;
    flame = earlier.flame;
    lastDrainTime = earlier.lastDrainTime;
    if (!earlier.flameText.empty()) {
        showFlame(); // a flame that has not drained yet shows no line, as at the start
    }
    if (controller && earlier.controller) {
        controller->setPosition(earlier.controller->getPosition());
        controller->updateActor();
    }
}

void Character::draw() {
    particles->draw();
}

void Character::describe(DrawRecord& record) const {
    record = DrawRecord{};
    record.sprites = &particles->points;
    record.spriteCount = particles->liveCount;
    record.texture = particles->texture;
    record.program = particles->program;
    record.model = particles->model ? *particles->model : modelMatrix;
}

void Character::addFlame(double change) {
    flame = std::min(flame + change, 1.0);
}
