#pragma once

#include <glm/vec4.hpp>

#include <string>

// One named line of HUD text. The text is owned by whoever added the line and may
// change at any time; the overlay only points at it.
struct HudLine {
    std::string name;
    float x = 0.0f; // pen start in overlay pixels (origin in the window centre, y up)
    float y = 0.0f;
    float size = 0.0f; // font units to pixels
    glm::vec4 color{1.0f};
    double shownAt = -1.0; // wall-clock time when last shown; negative marks a permanent line
    double duration = 0.0; // seconds a timed line stays up
    const std::string* text = nullptr;
    bool alignLeft = true; // false: the text ends at x
    bool visible = false;
};
