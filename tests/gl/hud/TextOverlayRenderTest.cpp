// HUD text drawn with the shipped font lands where its line says.
#include "../../support/RecordedMessages.h"
#include "../GlContext.h"
#include "camera/Camera.h"
#include "render/TextOverlay.h"
#include "resources/Shader.h"
#include "resources/Texture.h"

#include <GL/glew.h>

#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Overlay pixels to window pixels: origin in the centre, y up in both.
struct Box {
    float left, right, bottom, top;
    bool containsPixel(int px, int py) const {
        const float x = px + 0.5f - kWidth / 2;
        const float y = py + 0.5f - kHeight / 2;
        return x >= left && x <= right && y >= bottom && y <= top;
    }
};

class HudText : public GlTest {
protected:
    void SetUp() override {
        RecordedMessages heard;
        program = shaders.loadProgram("data/shader/font_shader.vert data/shader/font_shader.frag");
        overlay = std::make_unique<TextOverlay>(textures.loadTexture("data/obj/arial.png"), program);
        readGlyphFile(*overlay, "data/obj/arial_coords.data");
        loadMessages = heard.take();
        overlay->initBuffers();
    }

    float textWidth(const std::string& text, float size) const {
        float width = 0.0f;
        for (unsigned char c : text) {
            width += overlay->glyphs[c].width * size;
        }
        return width;
    }

    // Draws the overlay's visible lines on black and reads the frame back.
    std::vector<unsigned char> render() {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(program);
        const glm::mat4 ortho = orthoMatrix(-512, 512, -384, 384, -0.1f, 0.1f);
        glUniformMatrix4fv(glGetUniformLocation(program, "ortho"), 1, GL_FALSE, &ortho[0][0]);
        overlay->drawLines();
        glUseProgram(0);
        std::vector<unsigned char> pixels(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    Shader shaders;
    Texture textures;
    std::unique_ptr<TextOverlay> overlay;
    GLuint program = 0;
    std::string loadMessages;
};

bool lit(const std::vector<unsigned char>& pixels, int px, int py) {
    const unsigned char* p = &pixels[(py * kWidth + px) * 4];
    return p[0] > 40 || p[1] > 40 || p[2] > 40;
}

} // namespace

TEST_F(HudText, ShippedFontLoadsCleanly) {
    EXPECT_EQ(loadMessages.find("error"), std::string::npos) << loadMessages;
    EXPECT_NE(loadMessages.find("Texture loading succesful"), std::string::npos) << loadMessages;
    for (int c = 32; c < 127; ++c) {
        EXPECT_GT(overlay->glyphs[c].width, 0.0f) << "code " << c;
    }
}

TEST_F(HudText, GlyphPixelsFallInsideTheLineBoxOnly) {
    const std::string text = "Flame: 100 %";
    const float size = 2000.0f;
    addLine(&text, *overlay, "left", size, true, true, -300.0f, 20.0f, {1, 0.8f, 0.5f, 1}, -1.0, 0.0);
    const std::vector<unsigned char> pixels = render();

    const Box box{-300.0f, -300.0f + textWidth(text, size), 20.0f,
                  20.0f + overlay->glyphs['F'].height * size};
    int inside = 0;
    int outside = 0;
    for (int py = 0; py < kHeight; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            if (lit(pixels, px, py)) {
                (box.containsPixel(px, py) ? inside : outside)++;
            }
        }
    }
    EXPECT_GT(inside, 300) << "the text left no ink";
    EXPECT_EQ(outside, 0);
    EXPECT_GT(box.right - box.left, 100.0f);
    // Ink in both halves of the box: the whole text was drawn, not just a glyph.
    const int middle = static_cast<int>((box.left + box.right) / 2 + kWidth / 2);
    int leftInk = 0;
    int rightInk = 0;
    for (int py = 0; py < kHeight; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            if (lit(pixels, px, py) && box.containsPixel(px, py)) {
                (px < middle ? leftInk : rightInk)++;
            }
        }
    }
    EXPECT_GT(leftInk, 100);
    EXPECT_GT(rightInk, 100);
}

TEST_F(HudText, RightAlignedLineEndsAtItsX) {
    const std::string text = "Fps: 59.9401";
    addLine(&text, *overlay, "fps", 1200.0f, false, true, 500.0f, 350.0f - 384.0f + 100.0f,
            {1, 1, 1, 1}, -1.0, 0.0);
    const std::vector<unsigned char> pixels = render();
    int rightmost = -1;
    for (int py = 0; py < kHeight; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            if (lit(pixels, px, py) && px > rightmost) {
                rightmost = px;
            }
        }
    }
    const int end = 500 + kWidth / 2;
    EXPECT_LE(rightmost, end);
    EXPECT_GE(rightmost, end - 8) << "the last digit's ink sits just left of x";
}
