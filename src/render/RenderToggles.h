#pragma once

#include <string>

class StatusLines;
struct Frustum;

// The player's render switches, F3 (filled, lines, points), F8 (frustum culling) and
// F9 (blending), and the status-line texts that show two of them.
class RenderToggles {
public:
    // Registers the "pMode" and "alpha" status lines.
    void addStatusLines(StatusLines& overlay);

    // Filled, then lines, then points, then filled again.
    void nextPolygonMode();
    // Blending is on at start; the first switch turns it off.
    void switchBlending();
    // Culling is on at start; the first switch turns it off.
    void switchCulling(Frustum& frustum);

    int polygonModeState = 0; // 0 filled, 1 lines, 2 points
    bool blendingOffState = false;
    bool cullingOffState = false;
    std::string polygonModeText = "Wire frame - deactivated";
    std::string blendingText = "Alpha-blending: on";
};
