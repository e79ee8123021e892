#include "WoodTextures.h"

#include <cmath>

#include "TileNoise.h"

namespace {

constexpr float kPi = 3.14159265f;

// Board wood with its grain along u (`alongU`) or along v; `board` varies the tone and
// shifts the rings so neighbouring boards differ. Every term repeats across the texture.
glm::vec3 woodGrain(const TileNoise& noise, glm::vec2 uv, bool alongU, int board) {
    const float across = alongU ? uv.y : uv.x;
    const glm::ivec2 stretch = alongU ? glm::ivec2(2, 16) : glm::ivec2(16, 2);
    const float bend = 2.5f * noise.value(uv, stretch, 20 + board) +
                       1.0f * noise.value(uv, stretch * 2, 40 + board);
    const float rings =
        0.5f + 0.5f * std::sin(2.0f * kPi * (across * 24.0f + bend + 0.37f * board));
    const float fibre = noise.value(uv, alongU ? glm::ivec2(8, 128) : glm::ivec2(128, 8), 60);
    const glm::vec3 light(0.74f, 0.55f, 0.33f);
    const glm::vec3 dark(0.47f, 0.31f, 0.17f);
    glm::vec3 colour = glm::mix(light, dark, std::pow(rings, 3.0f) * 0.85f);
    colour *= 0.9f + 0.2f * fibre;
    colour *= 0.88f + 0.24f * noise.random(board, 0, 70);
    return colour;
}

// A round nail or rivet head centred at `centre`, lit from the upper left; returns the
// colour over `under`.
glm::vec3 rivet(glm::vec3 under, glm::vec2 pixel, glm::vec2 centre, float radius, glm::vec3 metal) {
    const glm::vec2 offset = (pixel - centre) / radius;
    const float r = glm::length(offset);
    if (r > 1.4f) {
        return under;
    }
    const float rim = glm::smoothstep(1.4f, 1.0f, r) * (1.0f - glm::smoothstep(0.9f, 1.0f, r));
    glm::vec3 colour = under * (1.0f - 0.35f * rim);
    const float head = 1.0f - glm::smoothstep(0.85f, 1.0f, r);
    const float lit = glm::clamp(0.6f - 0.5f * (offset.x + offset.y), 0.0f, 1.2f);
    return glm::mix(colour, metal * (0.6f + 0.7f * lit), head);
}

} // namespace

Image WoodTextures::crateSide() {
    constexpr int kSize = 256;
    constexpr float kFrame = 26.0f;
    constexpr int kPlanks = 4;
    constexpr float kBraceHalfWidth = 15.0f;
    const TileNoise noise(404);
    Image image(kSize, kSize);
    const float inner = kSize - 2.0f * kFrame;
    // The brace runs from the inner lower-left corner to the inner upper-right one.
    const glm::vec2 braceFrom(kFrame, kSize - kFrame);
    const glm::vec2 braceAlong = glm::normalize(glm::vec2(1.0f, -1.0f));
    const glm::vec2 braceAcross(-braceAlong.y, braceAlong.x);
    const glm::vec3 iron(0.42f, 0.41f, 0.40f);

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float fromSide = std::min(p.x, kSize - p.x);
            const float fromTopBottom = std::min(p.y, kSize - p.y);
            glm::vec3 colour;
            if (fromTopBottom < kFrame) {
                colour = woodGrain(noise, uv, true, p.y < kSize / 2 ? 0 : 1);
                colour *=
                    1.0f - 0.5f * (1.0f - glm::smoothstep(0.0f, 1.5f, kFrame - fromTopBottom));
            } else if (fromSide < kFrame) {
                colour = woodGrain(noise, uv, false, p.x < kSize / 2 ? 2 : 3);
                colour *= 1.0f - 0.5f * (1.0f - glm::smoothstep(0.0f, 1.5f, kFrame - fromSide));
                // The side boards butt against the top and bottom ones.
                colour *=
                    1.0f - 0.55f * (1.0f - glm::smoothstep(0.0f, 1.5f, fromTopBottom - kFrame));
            } else {
                const float inPlanks = (p.y - kFrame) / (inner / kPlanks);
                const int plank = static_cast<int>(inPlanks);
                const float plankEdge =
                    std::min(inPlanks - plank, plank + 1 - inPlanks) * (inner / kPlanks);
                colour = woodGrain(noise, uv, true, 4 + plank);
                colour *= 1.0f - 0.6f * (1.0f - glm::smoothstep(0.5f, 2.0f, plankEdge));
                // The frame stands proud of the planks and shades their edges.
                const float fromFrame = std::min(fromSide, fromTopBottom) - kFrame;
                colour *= 1.0f - 0.35f * (1.0f - glm::smoothstep(0.0f, 9.0f, fromFrame));

                const float across = glm::dot(p - braceFrom, braceAcross);
                const float along = glm::dot(p - braceFrom, braceAlong);
                if (std::fabs(across) < kBraceHalfWidth) {
                    const glm::vec2 braceUv(across / kSize, along / kSize);
                    colour = woodGrain(noise, braceUv + 0.31f, true, 9);
                    colour *=
                        1.0f - 0.5f * (1.0f - glm::smoothstep(0.0f, 1.5f,
                                                              kBraceHalfWidth - std::fabs(across)));
                } else if (across > 0.0f && across < kBraceHalfWidth + 6.0f) {
                    colour *= 0.7f + 0.3f * (across - kBraceHalfWidth) / 6.0f;
                }
            }
            // Nails at the frame corners, halfway along each frame board and at the brace ends.
            const float h = kFrame * 0.5f;
            const glm::vec2 nails[] = {{h, h},
                                       {kSize - h, h},
                                       {h, kSize - h},
                                       {kSize - h, kSize - h},
                                       {kSize * 0.5f, h},
                                       {kSize * 0.5f, kSize - h},
                                       {h, kSize * 0.5f},
                                       {kSize - h, kSize * 0.5f},
                                       {kFrame + 14.0f, kSize - kFrame - 14.0f},
                                       {kSize - kFrame - 14.0f, kFrame + 14.0f}};
            for (const glm::vec2& nail : nails) {
                colour = rivet(colour, p, nail, 3.2f, iron);
            }
            image.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    return image;
}

Image WoodTextures::barrelStaves() {
    constexpr int kSize = 256;
    constexpr int kStaves = 8;
    constexpr float kStave = static_cast<float>(kSize) / kStaves;
    const TileNoise noise(505);
    Image image(kSize, kSize);
    // Hoops as (top, bottom) in texture v.
    const glm::vec2 hoops[] = {{0.08f, 0.16f}, {0.84f, 0.92f}};
    const glm::vec3 ironColour(0.25f, 0.24f, 0.23f);
    const glm::vec3 rust(0.42f, 0.24f, 0.12f);

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const int stave = static_cast<int>(p.x / kStave);
            const float local = p.x / kStave - stave;
            glm::vec3 colour = woodGrain(noise, uv, false, stave);
            // Staves are slightly rounded and meet in a dark joint.
            colour *= 0.82f + 0.18f * std::sin(kPi * local);
            const float joint = std::min(local, 1.0f - local) * kStave;
            colour *= 1.0f - 0.65f * (1.0f - glm::smoothstep(0.3f, 1.6f, joint));

            for (const glm::vec2& hoop : hoops) {
                const float below = (uv.y - hoop.y) * kSize;
                if (below >= 0.0f && below < 5.0f) {
                    colour *= 0.55f + 0.45f * below / 5.0f; // the hoop's shadow
                }
                if (uv.y >= hoop.x && uv.y < hoop.y) {
                    const float inHoop = (uv.y - hoop.x) / (hoop.y - hoop.x);
                    glm::vec3 iron = ironColour * (0.8f + 0.4f * noise.value(uv, {64, 8}, 80));
                    iron =
                        glm::mix(iron, rust,
                                 glm::smoothstep(0.55f, 0.75f, noise.fractal(uv, 16, 3, 0.5f, 81)));
                    // Rolled edges: bright along the top, dark along the bottom.
                    iron *= 1.0f + 0.5f * (1.0f - glm::smoothstep(0.0f, 0.2f, inHoop)) -
                            0.4f * glm::smoothstep(0.8f, 1.0f, inHoop);
                    colour = iron;
                    const glm::vec2 centre((stave + 0.5f) * kStave,
                                           0.5f * (hoop.x + hoop.y) * kSize);
                    colour = rivet(colour, p, centre, 2.6f, glm::vec3(0.45f, 0.43f, 0.40f));
                }
            }
            image.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    return image;
}
