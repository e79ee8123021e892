#include "input/Controls.h"

#include "camera/Frustum.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "render/TextOverlay.h"
#include "resources/Texture.h"

#include <GL/glew.h>

ControlState controlState;

namespace {

// The input the callbacks act on: the one initInput wired up.
InputState* activeInput = nullptr;

const glm::vec4 kStatusColor{1.0f, 0.8f, 0.5f, 1.0f};

void show(const char* line) {
    if (activeInput && activeInput->overlay) {
        showLine(*activeInput->overlay, line);
    }
}

void nextPolygonMode() {
    ControlState& s = controlState;
    switch (s.polygonModeState) {
    case 0:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        s.polygonModeText = "Wire frame - Lines activated";
        s.polygonModeState = 1;
        break;
    case 1:
        glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
        s.polygonModeText = "Wire frame - Points activated";
        s.polygonModeState = 2;
        break;
    default:
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        s.polygonModeText = "Wire frame - deactivated";
        s.polygonModeState = 0;
        break;
    }
}

void switchBlending() {
    ControlState& s = controlState;
    if (s.blendingOffState) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        s.blendingText = "Alpha-blending: on";
        s.blendingOffState = false;
    } else {
        glDisable(GL_BLEND);
        s.blendingText = "Alpha-blending: off";
        s.blendingOffState = true;
    }
}

void switchCulling() {
    ControlState& s = controlState;
    if (activeInput && activeInput->frustum) {
        activeInput->frustum->frustumCulling = s.cullingOffState;
    }
    s.cullingOffState = !s.cullingOffState;
}

} // namespace

void initInput(InputState& input, PhysicsWorld* world, Character* character, Camera* camera,
               Texture* textureManager, TextOverlay* overlay) {
    activeInput = &input;
    input.character = character;
    input.camera = camera;
    input.world = world;
    input.textureManager = textureManager;
    input.overlay = overlay;
    input.frustum = &frustum;
    platform::input().setMouseWheel(-30);
    if (overlay) {
        addLine(&controlState.polygonModeText, *overlay, "pMode", 700.0f, true, false, -500.0f,
                330.0f, kStatusColor, 1.0, 5.0);
        addLine(&controlState.blendingText, *overlay, "alpha", 700.0f, true, false, -500.0f,
                310.0f, kStatusColor, 1.0, 5.0);
    }
}

void updateControls(InputState&, double) {
    // A new mouse-position callback is called at once with the cursor, so the
    // mouse delta only survives a frame when the cursor really moved.
    platform::InputDevice& device = platform::input();
    device.setKeyCallback(onKey);
    device.setMousePosCallback(onMouseMove);
    device.setMouseButtonCallback(onMouseButton);
}

void onKey(int key, int action) {
    namespace k = platform::key;
    if (action != platform::action::Press) {
        return;
    }
    Texture* textures = activeInput ? activeInput->textureManager : nullptr;
    switch (key) {
    case k::F2:
        show("fps");
        break;
    case k::F3:
        nextPolygonMode();
        show("pMode");
        break;
    case k::F4:
        if (textures) {
            textures->togglePlainFilter();
        }
        show("tex");
        break;
    case k::F5:
        if (textures) {
            textures->nextMipmapFilter();
        }
        show("tex");
        break;
    case k::F7:
        if (activeInput && activeInput->overlay) {
            activeInput->overlay->toggleStatusLines();
        }
        break;
    case k::F8:
        switchCulling();
        show("cul");
        break;
    case k::F9:
        switchBlending();
        show("alpha");
        break;
    default:
        break;
    }
}

void onMouseMove(int x, int y) {
    ControlState& s = controlState;
    s.mouseDeltaX = s.mouseX - x;
    s.mouseDeltaY = y - s.mouseY;
    s.mouseX = x;
    s.mouseY = y;
}

void onMouseButton(int button, int action) {
    if (button != platform::mouse::Right) {
        return;
    }
    ControlState& s = controlState;
    platform::InputDevice& device = platform::input();
    if (action == platform::action::Press) {
        device.setCursorEnabled(false);
        device.getMousePos(s.savedCursorX, s.savedCursorY);
        s.ignoreNextDelta = true;
    } else {
        device.setCursorEnabled(true);
        device.setMousePos(s.savedCursorX, s.savedCursorY);
    }
}
