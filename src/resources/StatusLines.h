#pragma once

#include <string>

// Where a resource shows a status line (the HUD, in the game): hidden until its name
// is shown, then for a few seconds, or pinned with the other status lines. A small
// interface, so that resources never depend on the renderer that draws the lines.
class StatusLines {
public:
    virtual ~StatusLines() = default;
    // Registers a status line at (x, y) that shows *text, unless one of that name exists.
    virtual void addStatusLine(const std::string* text, const std::string& name, float x,
                               float y) = 0;
};
