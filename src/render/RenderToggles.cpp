#include "render/RenderToggles.h"

#include "camera/Frustum.h"
#include "render/RenderState.h"
#include "resources/StatusLines.h"

void RenderToggles::addStatusLines(StatusLines& overlay) {
    overlay.addStatusLine(&polygonModeText, "pMode", -500.0f, 330.0f);
    overlay.addStatusLine(&blendingText, "alpha", -500.0f, 310.0f);
}

void RenderToggles::nextPolygonMode() {
    switch (polygonModeState) {
    case 0:
        setPolygonMode(PolygonMode::Lines);
        polygonModeText = "Wire frame - Lines activated";
        polygonModeState = 1;
        break;
    case 1:
        setPolygonMode(PolygonMode::Points);
        polygonModeText = "Wire frame - Points activated";
        polygonModeState = 2;
        break;
    default:
        setPolygonMode(PolygonMode::Filled);
        polygonModeText = "Wire frame - deactivated";
        polygonModeState = 0;
        break;
    }
}

void RenderToggles::switchBlending() {
    blendingOffState = !blendingOffState;
    setBlending(!blendingOffState);
    blendingText = blendingOffState ? "Alpha-blending: off" : "Alpha-blending: on";
}

void RenderToggles::switchCulling(Frustum& frustum) {
    frustum.frustumCulling = cullingOffState;
    cullingOffState = !cullingOffState;
}
