#include "Masonry.h"

#include <cmath>

#include "TileNoise.h"

namespace {

struct Stone {
    glm::ivec2 id{0};
    float edgePixels = 0.0f; // distance to the stone's nearest edge
    glm::vec2 toEdge{0.0f};  // unit step towards that edge, image axes (y down)
};

Stone locate(glm::vec2 uv, const MasonryStyle& style, int size) {
    const float gy = uv.y * style.rows;
    const float row = std::floor(gy);
    const int rowIndex = static_cast<int>(row);
    const float gx = uv.x * style.columns + ((rowIndex & 1) ? style.rowShift : 0.0f);
    const float column = std::floor(gx);
    const glm::vec2 local(gx - column, gy - row);
    const glm::vec2 stonePixels(static_cast<float>(size) / style.columns,
                                static_cast<float>(size) / style.rows);
    const float edges[4] = {local.x * stonePixels.x, (1.0f - local.x) * stonePixels.x,
                            local.y * stonePixels.y, (1.0f - local.y) * stonePixels.y};
    constexpr glm::vec2 directions[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    Stone stone;
    stone.edgePixels = edges[0];
    stone.toEdge = directions[0];
    for (int i = 1; i < 4; ++i) {
        if (edges[i] < stone.edgePixels) {
            stone.edgePixels = edges[i];
            stone.toEdge = directions[i];
        }
    }
    const int columnIndex = static_cast<int>(column);
    stone.id = glm::ivec2(((columnIndex % style.columns) + style.columns) % style.columns,
                          ((rowIndex % style.rows) + style.rows) % style.rows);
    return stone;
}

} // namespace

MasonryPicture Masonry::paint(int size, const MasonryStyle& style) {
    MasonryPicture picture{Image(size, size), std::vector<float>(static_cast<size_t>(size) * size)};
    const TileNoise noise(style.seed);
    // Light from the upper left: stone edges facing it catch light, the others shade.
    const glm::vec2 light = glm::normalize(glm::vec2(-1.0f, -1.0f));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const glm::vec2 uv = picture.image.uv(x, y);
            const glm::vec2 warp(noise.fractal(uv, 8, 3, 0.5f, 1) - 0.5f,
                                 noise.fractal(uv, 8, 3, 0.5f, 2) - 0.5f);
            const Stone stone = locate(glm::fract(uv + warp * style.wobble * 2.0f), style, size);

            const float tone = 1.0f + style.toneVariation *
                                          (noise.random(stone.id.x, stone.id.y, 3) - 0.5f) * 2.0f;
            const float hue = noise.random(stone.id.x, stone.id.y, 4) - 0.5f;
            glm::vec3 colour = style.stone * tone + style.tintVariation * hue * 2.0f;
            colour *=
                1.0f + style.grain * (noise.fractal(uv, style.grainPeriod, 5, 0.55f, 5) - 0.5f);
            colour *= 0.9f + 0.2f * noise.fractal(uv, 4, 3, 0.5f, 6);
            // Small round pits, a few light grains between them.
            const TileNoise::Cells pits = noise.cells(uv, size / 12, 0.9f, 7);
            const float pitSize = 0.06f + 0.14f * noise.random(pits.cell.x, pits.cell.y, 12);
            const float pit = 1.0f - glm::smoothstep(pitSize * 0.6f, pitSize, pits.nearest);
            colour *=
                1.0f - (noise.random(pits.cell.x, pits.cell.y, 13) < 0.45f ? 0.4f : -0.12f) * pit;

            // Hairline cracks along cell borders, only on some stones and only where a
            // slow noise lets them through, so they start and stop.
            if (noise.random(stone.id.x, stone.id.y, 8) < style.crackChance) {
                const TileNoise::Cells cells = noise.cells(uv, style.columns * 3, 1.0f, 9);
                const float line =
                    1.0f - glm::smoothstep(0.0f, 0.035f, cells.second - cells.nearest);
                const float reach = glm::smoothstep(0.6f, 0.7f, noise.fractal(uv, 8, 2, 0.5f, 10));
                colour *= 1.0f - 0.35f * line * reach;
            }

            const float joint = style.mortarPixels;
            const float bevel =
                1.0f - glm::smoothstep(joint, joint + style.bevelPixels, stone.edgePixels);
            colour *= 1.0f + 0.28f * bevel * glm::dot(stone.toEdge, light) - 0.08f * bevel;

            const float onStone = glm::smoothstep(joint - 0.75f, joint + 0.75f, stone.edgePixels);
            const glm::vec3 mortar = style.mortar * (0.75f + 0.5f * noise.value(uv, size / 4, 11));
            picture.image.at(x, y) = glm::vec4(glm::mix(mortar, colour, onStone), 1.0f);
            picture.stoneMask[static_cast<size_t>(y) * size + x] = onStone;
        }
    }
    return picture;
}
