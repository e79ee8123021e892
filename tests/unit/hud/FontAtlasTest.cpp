// Checks the shipped HUD font (data/obj/arial.png and its glyph table) against what the
// text overlay assumes: whole-line boxes on a shared baseline, kept apart for filtering.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <IL/il.h>
#include <gtest/gtest.h>

namespace {

struct Glyph {
    double uLeft = 0, vTop = 0, uRight = 0, vBottom = 0, width = 0, height = 0;
    // Box in atlas pixels, rounded from the texture coordinates.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Atlas {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> alpha; // rows top first
    std::uint8_t at(int x, int y) const { return alpha[static_cast<size_t>(y) * width + x]; }
};

std::vector<std::string> readLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::pair<unsigned, Glyph>> readTable() {
    const std::vector<std::string> lines = readLines("data/obj/arial_coords.data");
    std::vector<std::pair<unsigned, Glyph>> glyphs;
    for (size_t i = 0; i + 5 < lines.size(); ++i) {
        unsigned code = 0;
        if (std::sscanf(lines[i].c_str(), "Section Character [%u]", &code) != 1) {
            continue;
        }
        Glyph g;
        const bool complete =
            std::sscanf(lines[i + 2].c_str(), "TopLeft = [%lf, %lf]", &g.uLeft, &g.vTop) == 2 &&
            std::sscanf(lines[i + 3].c_str(), "BottomRight = [%lf, %lf]", &g.uRight, &g.vBottom) ==
                2 &&
            std::sscanf(lines[i + 4].c_str(), "Width = %lf", &g.width) == 1 &&
            std::sscanf(lines[i + 5].c_str(), "Height = %lf", &g.height) == 1;
        EXPECT_TRUE(complete) << "record at line " << i + 1;
        glyphs.emplace_back(code, g);
    }
    return glyphs;
}

Atlas readAtlas() {
    Atlas atlas;
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage("data/obj/arial.png") && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
        atlas.width = ilGetInteger(IL_IMAGE_WIDTH);
        atlas.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const bool bottomFirst = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
        const ILubyte* data = ilGetData();
        for (int y = 0; y < atlas.height; ++y) {
            const int stored = bottomFirst ? atlas.height - 1 - y : y;
            for (int x = 0; x < atlas.width; ++x) {
                atlas.alpha.push_back(
                    data[(static_cast<size_t>(stored) * atlas.width + x) * 4 + 3]);
            }
        }
    }
    ilDeleteImages(1, &image);
    return atlas;
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

class FontAtlas : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        atlas = readAtlas();
        for (auto& [code, g] : readTable()) {
            g.x0 = static_cast<int>(std::lround(g.uLeft * atlas.width));
            g.x1 = static_cast<int>(std::lround(g.uRight * atlas.width));
            g.y0 = static_cast<int>(std::lround(g.vTop * atlas.height));
            g.y1 = static_cast<int>(std::lround(g.vBottom * atlas.height));
            EXPECT_TRUE(glyphs.empty() || glyphs.rbegin()->first < code) << "code " << code;
            glyphs[code] = g;
        }
    }

    // Lowest row with ink, counted from the box's top edge.
    static int lowestInk(unsigned code) {
        const Glyph& g = glyphs.at(code);
        for (int y = g.y1 - 1; y >= g.y0; --y) {
            for (int x = g.x0; x < g.x1; ++x) {
                if (atlas.at(x, y) != 0) {
                    return y - g.y0;
                }
            }
        }
        return -1;
    }

    static inline Atlas atlas;
    static inline std::map<unsigned, Glyph> glyphs;
};

TEST_F(FontAtlas, TableCoversPrintableAsciiWithOneLineHeight) {
    ASSERT_TRUE(isPowerOfTwo(atlas.width) && isPowerOfTwo(atlas.height))
        << atlas.width << " x " << atlas.height;
    for (unsigned code = 32; code <= 126; ++code) {
        EXPECT_TRUE(glyphs.count(code)) << "code " << code;
    }
    ASSERT_FALSE(glyphs.empty());
    const Glyph& first = glyphs.begin()->second;
    // A HUD line of size 900 should be about 20 pixels tall.
    EXPECT_NEAR(first.height * 900.0, 20.0, 2.0);
    for (const auto& [code, g] : glyphs) {
        EXPECT_LT(code, 256u);
        EXPECT_EQ(g.height, first.height) << "code " << code;
        EXPECT_EQ(g.y1 - g.y0, first.y1 - first.y0) << "code " << code;
    }
}

TEST_F(FontAtlas, BoxesArePixelAlignedProportionalAndApart) {
    ASSERT_FALSE(atlas.alpha.empty()) << "data/obj/arial.png did not load";
    for (const auto& [code, g] : glyphs) {
        SCOPED_TRACE("code " + std::to_string(code));
        EXPECT_TRUE(0.0 <= g.uLeft && g.uLeft < g.uRight && g.uRight <= 1.0);
        EXPECT_TRUE(0.0 <= g.vTop && g.vTop < g.vBottom && g.vBottom <= 1.0);
        EXPECT_NEAR(g.uLeft * atlas.width, g.x0, 1e-3);
        EXPECT_NEAR(g.uRight * atlas.width, g.x1, 1e-3);
        EXPECT_NEAR(g.vTop * atlas.height, g.y0, 1e-3);
        EXPECT_NEAR(g.vBottom * atlas.height, g.y1, 1e-3);
        // The quad's aspect must match the box's, or glyphs are drawn stretched.
        const double boxRatio = double(g.x1 - g.x0) / (g.y1 - g.y0);
        EXPECT_NEAR(g.width / g.height, boxRatio, boxRatio * 1e-4);
    }
    // Linear filtering reads a texel past each edge: two transparent pixels between boxes.
    for (auto a = glyphs.begin(); a != glyphs.end(); ++a) {
        for (auto b = std::next(a); b != glyphs.end(); ++b) {
            const Glyph& p = a->second;
            const Glyph& q = b->second;
            const bool apart =
                p.x1 + 2 <= q.x0 || q.x1 + 2 <= p.x0 || p.y1 + 2 <= q.y0 || q.y1 + 2 <= p.y0;
            EXPECT_TRUE(apart) << "codes " << a->first << " and " << b->first;
        }
    }
}

TEST_F(FontAtlas, InkStaysInsideBoxesOnOneBaseline) {
    ASSERT_FALSE(atlas.alpha.empty()) << "data/obj/arial.png did not load";
    std::vector<bool> inBox(atlas.alpha.size(), false);
    for (const auto& [code, g] : glyphs) {
        ASSERT_TRUE(0 <= g.x0 && g.x0 <= g.x1 && g.x1 <= atlas.width && 0 <= g.y0 && g.y0 <= g.y1 &&
                    g.y1 <= atlas.height)
            << "code " << code;
        for (int y = g.y0; y < g.y1; ++y) {
            for (int x = g.x0; x < g.x1; ++x) {
                inBox[static_cast<size_t>(y) * atlas.width + x] = true;
            }
        }
    }
    int strayPixels = 0;
    for (size_t i = 0; i < inBox.size(); ++i) {
        strayPixels += !inBox[i] && atlas.alpha[i] != 0;
    }
    EXPECT_EQ(strayPixels, 0);

    EXPECT_EQ(lowestInk(' '), -1);
    // Flat-bottomed glyphs end on the baseline; a descender reaches below it.
    const int baseline = lowestInk('H');
    EXPECT_GT(baseline, (glyphs.at('H').y1 - glyphs.at('H').y0) / 2);
    for (unsigned code : {'E', 'L', 'x', 'z', '1', '7'}) {
        EXPECT_EQ(lowestInk(code), baseline) << "code " << code;
    }
    EXPECT_GT(lowestInk('p'), baseline);
}

} // namespace
