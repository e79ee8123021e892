// HUD lines: timing, showing and pinning, and the glyph table reader.
#include "render/TextOverlay.h"
#include "../../support/PlatformFixture.h"
#include "../../support/RecordedMessages.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const glm::vec4 kWhite{1.0f};

// An overlay without GL buffers: drawing runs all its logic but sends nothing to GL.
class HudLines : public testing::Test {
protected:
    HudLine& line(const std::string& name) { return *overlay.findLine(name); }

    ScopedPlatform platform;
    TextOverlay overlay{0, 0};
    std::string text = "status";
};

} // namespace

TEST_F(HudLines, TimedLineIsDrawnUpToAndIncludingItsLastFrame) {
    addLine(&text, overlay, "tex", 700, true, false, -500, 350, kWhite, 1.0, 5.0);
    platform.clock.set(10.0);
    showLine(overlay, "tex");
    EXPECT_TRUE(line("tex").visible);
    EXPECT_DOUBLE_EQ(line("tex").shownAt, 10.0);

    platform.clock.set(14.999);
    overlay.drawLines();
    EXPECT_TRUE(line("tex").visible);

    // The frame at exactly shownAt + duration still draws the line, then hides it.
    platform.clock.set(15.0);
    overlay.drawLines();
    EXPECT_FALSE(line("tex").visible);

    // Showing it again while visible restarts the timer instead of hiding it.
    showLine(overlay, "tex");
    platform.clock.set(17.0);
    showLine(overlay, "tex");
    EXPECT_TRUE(line("tex").visible);
    EXPECT_DOUBLE_EQ(line("tex").shownAt, 17.0);
    platform.clock.set(21.0);
    overlay.drawLines();
    EXPECT_TRUE(line("tex").visible);
}

TEST_F(HudLines, PermanentLinesToggleAndNeverExpire) {
    addLine(&text, overlay, "fps", 700, false, false, 500, 350, kWhite, -1.0, 0.0);
    showLine(overlay, "fps");
    EXPECT_TRUE(line("fps").visible);
    EXPECT_DOUBLE_EQ(line("fps").shownAt, -1.0);
    platform.clock.set(1000.0);
    overlay.drawLines();
    EXPECT_TRUE(line("fps").visible);
    showLine(overlay, "fps");
    EXPECT_FALSE(line("fps").visible);
    showLine(overlay, "no such line"); // ignored
}

TEST_F(HudLines, StatusLinesArePinnedThenHiddenTogether) {
    std::string other = "Flame: 100";
    addLine(&text, overlay, "tex", 700, true, false, -500, 350, kWhite, 1.0, 5.0);
    addLine(&text, overlay, "cul", 700, true, false, -500, 290, kWhite, 1.0, 10.0);
    addLine(&text, overlay, "fps", 700, false, false, 500, 350, kWhite, -1.0, 0.0);
    addLine(&other, overlay, "character", 900, true, true, -490, -370, kWhite, -1.0, 0.0);

    overlay.toggleStatusLines();
    EXPECT_FALSE(overlay.linesExpire);
    EXPECT_TRUE(line("tex").visible);
    EXPECT_TRUE(line("cul").visible);
    EXPECT_TRUE(line("fps").visible);

    // Pinned lines outlive their time.
    platform.clock.set(100.0);
    overlay.drawLines();
    EXPECT_TRUE(line("tex").visible);

    overlay.toggleStatusLines();
    EXPECT_TRUE(overlay.linesExpire);
    EXPECT_FALSE(line("tex").visible);
    EXPECT_FALSE(line("fps").visible);
    EXPECT_TRUE(line("character").visible) << "only the status lines are switched";
}

TEST_F(HudLines, ASecondLineWithTheSameNameIsIgnored) {
    std::string second = "other";
    addLine(&text, overlay, "tex", 700, true, false, -500, 350, kWhite, 1.0, 5.0);
    addLine(&second, overlay, "tex", 900, false, true, 0, 0, kWhite, -1.0, 0.0);
    ASSERT_EQ(overlay.lines.size(), 1u);
    EXPECT_EQ(line("tex").text, &text);
    EXPECT_FLOAT_EQ(line("tex").size, 700.0f);
}

TEST_F(HudLines, PenMovesByGlyphWidthsInBothDirections) {
    overlay.glyphs['A'].width = 0.02f;
    overlay.glyphs['B'].width = 0.03f;
    std::string ab = "AB\x01"; // code 1 is undefined: zero width, does not move the pen
    addLine(&ab, overlay, "left", 100, true, true, -50, 10, kWhite, -1.0, 0.0);
    overlay.drawLines();
    EXPECT_FLOAT_EQ(overlay.penX, -50 + 5.0f);
    EXPECT_EQ(overlay.glyphIndex, 1);

    overlay.lines.clear();
    addLine(&ab, overlay, "right", 100, false, true, 500, 10, kWhite, -1.0, 0.0);
    overlay.drawLines();
    EXPECT_FLOAT_EQ(overlay.penX, 500 - 5.0f);
    EXPECT_EQ(overlay.glyphIndex, 'A') << "right-aligned text is written last to first";
    // The last glyph drawn ('A') fills [penX, penX + width]; the text ends at x.
    ASSERT_EQ(overlay.lineVertices.size(), 3u * 4u) << "a quad per glyph, the line at once";
    const auto* lastQuad = &overlay.lineVertices[8];
    EXPECT_FLOAT_EQ(lastQuad[1].position.x, 495.0f);
    EXPECT_FLOAT_EQ(lastQuad[0].position.x, 497.0f);
}

TEST(GlyphFile, ReadsRecordsAndSkipsWhatItCannotUse) {
    std::array<GlyphRecord, 256> glyphs{};
    std::istringstream file("header text\n"
                            "\n"
                            "Section Character [65]\n"
                            "Char = A\n"
                            "TopLeft = [0.25, 0.5]\n"
                            "BottomRight = [0.375, 0.625]\n"
                            "Width = 0.0125\n"
                            "Height = 0.0225\n"
                            "\n"
                            "Section Character [300]\n" // out of the table: skipped
                            "Char = ?\n"
                            "TopLeft = [0.9, 0.9]\n"
                            "Section Character [66]\n"
                            "Char = B\n"
                            "TopLeft has no equals sign\n" // leaves uLeft, vTop as they were
                            "BottomRight = [0.5, 0.75]\n"
                            "Width = 0.02\n"
                            "Height = nonsense\n"
                            "Section Character [\n"    // no code at all
                            "Section Character [65]\n" // a later record overwrites
                            "Char = A\n"
                            "TopLeft = [0.125, 0.5]\n"); // cut short by the end of file
    readGlyphStream(glyphs, file);

    EXPECT_FLOAT_EQ(glyphs['A'].uLeft, 0.125f);
    EXPECT_FLOAT_EQ(glyphs['A'].vTop, 0.5f);
    EXPECT_FLOAT_EQ(glyphs['A'].uRight, 0.375f);
    EXPECT_FLOAT_EQ(glyphs['A'].vBottom, 0.625f);
    EXPECT_FLOAT_EQ(glyphs['A'].width, 0.0125f);
    EXPECT_FLOAT_EQ(glyphs['A'].height, 0.0225f);

    EXPECT_FLOAT_EQ(glyphs['B'].uLeft, 0.0f);
    EXPECT_FLOAT_EQ(glyphs['B'].vTop, 0.0f);
    EXPECT_FLOAT_EQ(glyphs['B'].uRight, 0.5f);
    EXPECT_FLOAT_EQ(glyphs['B'].vBottom, 0.75f);
    EXPECT_FLOAT_EQ(glyphs['B'].width, 0.02f);
    EXPECT_FLOAT_EQ(glyphs['B'].height, 0.0f);
    for (int code : {0, 44, 255}) {
        EXPECT_FLOAT_EQ(glyphs[code].uLeft, 0.0f) << code;
    }
}

TEST(GlyphFile, MissingFileIsReportedAndLeavesTheTableEmpty) {
    TextOverlay overlay(0, 0);
    RecordedMessages heard;
    readGlyphFile(overlay, "tests/data/no/such_coords.data");
    EXPECT_EQ(heard.take(), "Unable to open file tests/data/no/such_coords.data\n"
                            "tests/data/no/such_coords.data: no such file or directory\n");
    EXPECT_FLOAT_EQ(overlay.glyphs['A'].width, 0.0f);
}
