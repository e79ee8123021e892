// The function keys: what each switches in GL and what the status lines then say.
#include "render/RenderToggles.h"
#include "../../support/PlatformFixture.h"
#include "../GlContext.h"
#include "camera/Frustum.h"
#include "input/Controls.h"
#include "platform/Keys.h"
#include "render/TextOverlay.h"
#include "resources/Texture.h"

#include <GL/glew.h>

namespace {

class FunctionKeys : public GlTest {
protected:
    void SetUp() override {
        frustum.frustumCulling = true;
        textures.overlay = &overlay;
        textures.init();
        addLine(&fpsText, overlay, "fps", 700, false, false, 500, 350, glm::vec4(1), -1.0, 0.0);
        addLine(&cullText, overlay, "cul", 700, true, false, -500, 290, glm::vec4(1), 1.0, 10.0);
        controls.init(ControlTargets{nullptr, &textures, &overlay, &toggles, &frustum});
    }
    void TearDown() override {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glEnable(GL_BLEND);
    }

    void press(int key) {
        controls.onKey(key, platform::action::Press);
        controls.onKey(key, platform::action::Release); // releases never do anything
    }
    bool visible(const char* name) { return overlay.findLine(name)->visible; }
    GLint polygonMode() {
        GLint modes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        return modes[0];
    }

    ScopedPlatform platform;
    TextOverlay overlay{0, 0};
    Texture textures;
    RenderToggles toggles;
    Controls controls;
    Frustum frustum;
    std::string fpsText = "Fps: 60";
    std::string cullText = "culling";
};

} // namespace

TEST_F(FunctionKeys, F3CyclesLinesPointsFill) {
    platform.clock.set(3.0);
    press(platform::key::F3);
    EXPECT_EQ(polygonMode(), GL_LINE);
    EXPECT_EQ(toggles.polygonModeText, "Wire frame - Lines activated");
    EXPECT_TRUE(visible("pMode"));
    EXPECT_EQ(overlay.findLine("pMode")->text, &toggles.polygonModeText);
    press(platform::key::F3);
    EXPECT_EQ(polygonMode(), GL_POINT);
    EXPECT_EQ(toggles.polygonModeText, "Wire frame - Points activated");
    press(platform::key::F3);
    EXPECT_EQ(polygonMode(), GL_FILL);
    EXPECT_EQ(toggles.polygonModeText, "Wire frame - deactivated");
}

TEST_F(FunctionKeys, F9SwitchesBlendingOffFirst) {
    press(platform::key::F9);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(toggles.blendingText, "Alpha-blending: off");
    EXPECT_TRUE(visible("alpha"));
    press(platform::key::F9);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(toggles.blendingText, "Alpha-blending: on");
}

TEST_F(FunctionKeys, F8SwitchesCullingAndF2TheFrameRate) {
    press(platform::key::F8);
    EXPECT_FALSE(frustum.frustumCulling);
    EXPECT_TRUE(visible("cul"));
    press(platform::key::F8);
    EXPECT_TRUE(frustum.frustumCulling);

    press(platform::key::F2);
    EXPECT_TRUE(visible("fps"));
    press(platform::key::F2);
    EXPECT_FALSE(visible("fps"));
}

TEST_F(FunctionKeys, F4AndF5ChangeTheFilterAndShowIt) {
    press(platform::key::F4);
    EXPECT_EQ(textures.filterMode, 0);
    EXPECT_TRUE(visible("tex"));
    press(platform::key::F5);
    EXPECT_EQ(textures.filterMode, 2);
}

TEST_F(FunctionKeys, F7PinsAndHidesTheStatusLines) {
    press(platform::key::F7);
    EXPECT_FALSE(overlay.linesExpire);
    for (const char* name : {"fps", "cul", "tex", "pMode", "alpha"}) {
        EXPECT_TRUE(visible(name)) << name;
    }
    press(platform::key::F7);
    EXPECT_TRUE(overlay.linesExpire);
    for (const char* name : {"fps", "cul", "tex", "pMode", "alpha"}) {
        EXPECT_FALSE(visible(name)) << name;
    }
    press(platform::key::F6); // unbound: nothing happens
    EXPECT_TRUE(overlay.linesExpire);
}
