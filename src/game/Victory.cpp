#include "game/Victory.h"

#include "game/ActorTouch.h"
#include "game/Character.h"
#include "render/TextOverlay.h"

Victory::Victory(const std::string& meshFile, std::uint32_t texture, std::uint32_t program,
                 const std::string& materialFile, const glm::mat4& modelMatrix)
    : Entity(meshFile, texture, program, materialFile, modelMatrix) {
    // The goal can be reached while the camera looks elsewhere.
    updateWhenCulled = true;
}

Victory::~Victory() {
    if (overlay) {
        for (const std::string* text : {&victoryText, &thanksText, &moreText}) {
            overlay->removeLines(text);
        }
    }
}

void Victory::setup() {
    Entity::setup();
    if (!overlay) {
        return;
    }
    const glm::vec4 white(1.0f);
    addLine(&victoryText, *overlay, "v1", 2000.0f, false, false, 95.0f, 0.0f,
            {0.0f, 0.8f, 1.0f, 1.0f}, -1.0, 0.0);
    addLine(&thanksText, *overlay, "v2", 1200.0f, false, false, 350.0f, -60.0f, white, -1.0, 0.0);
    addLine(&moreText, *overlay, "v3", 1200.0f, false, false, 360.0f, -120.0f, white, -1.0, 0.0);
}

void Victory::update(double) {
    if (!actor) {
        return;
    }
    syncFromActor();
    // Only the first touch counts: the lines are permanent, and showing them again
    // would hide them.
    if (!takeTouch(actor) || reached) {
        return;
    }
    reached = true;
    if (character) {
        character->victorious = true;
        character->locked = true;
    }
    if (overlay) {
        showLine(*overlay, "v1");
        showLine(*overlay, "v2");
        showLine(*overlay, "v3");
    }
}
