#include "GlowTextures.h"

#include <cmath>

#include "TileNoise.h"

namespace {

constexpr float kTwoPi = 6.28318530718f;

// Distance from the sprite's centre, 1 at the middle of each edge.
float spriteRadius(const Image& image, int x, int y) {
    return glm::length(image.uv(x, y) * 2.0f - 1.0f);
}

glm::vec3 ramp(float t, glm::vec3 low, glm::vec3 middle, glm::vec3 high) {
    return t < 0.5f ? glm::mix(low, middle, t * 2.0f) : glm::mix(middle, high, t * 2.0f - 1.0f);
}

} // namespace

Image GlowTextures::crystal() {
    constexpr int kSize = 256;
    const TileNoise noise(808);
    Image image(kSize, kSize);
    const glm::vec3 deep(0.10f, 0.42f, 0.58f);
    const glm::vec3 middle(0.30f, 0.85f, 0.90f);
    const glm::vec3 bright(0.85f, 1.0f, 1.0f);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            const TileNoise::Cells facet = noise.cells(uv, 5, 0.9f, 1);
            const TileNoise::Cells chip = noise.cells(uv, 13, 0.9f, 2);
            float light = 0.2f + 0.45f * noise.random(facet.cell.x, facet.cell.y, 3);
            light += 0.25f * (1.0f - glm::smoothstep(0.0f, 0.8f, facet.nearest));
            light += 0.08f * (noise.random(chip.cell.x, chip.cell.y, 4) - 0.5f);
            const float seam = 1.0f - glm::smoothstep(0.0f, 0.09f, facet.second - facet.nearest);
            const float crack = 1.0f - glm::smoothstep(0.0f, 0.05f, chip.second - chip.nearest);
            light += 0.4f * seam + 0.1f * crack;
            // Sparkles: a few soft round glints with a faint cross.
            const TileNoise::Cells glints = noise.cells(uv, 16, 0.8f, 5);
            if (noise.random(glints.cell.x, glints.cell.y, 6) < 0.25f) {
                const float core = 1.0f - glm::smoothstep(0.0f, 0.12f, glints.nearest);
                light += 0.7f * core;
            }
            image.at(x, y) =
                glm::vec4(ramp(glm::clamp(light, 0.0f, 1.0f), deep, middle, bright), 1.0f);
        }
    }
    return image;
}

Image GlowTextures::markerGlow() {
    constexpr int kSize = 128;
    const TileNoise noise(909);
    Image image(kSize, kSize);
    const glm::vec3 ember(0.45f, 0.2f, 0.05f);
    const glm::vec3 amber(1.0f, 0.62f, 0.18f);
    const glm::vec3 hot(1.0f, 0.93f, 0.7f);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            // v runs up the profile: the head sits between about 0.6 and 0.9 of it.
            const float head = glm::smoothstep(0.55f, 0.65f, uv.y) *
                               (1.0f - glm::smoothstep(0.88f, 0.95f, uv.y));
            const glm::vec2 pane = glm::abs(glm::fract(uv * glm::vec2(6.0f, 12.0f)) - 0.5f);
            const float frame = glm::smoothstep(0.38f, 0.48f, glm::max(pane.x, pane.y));
            float light = 0.25f + 0.1f * noise.random(x / 8, y / 8, 1);
            light += head * (0.75f - 0.45f * frame);
            image.at(x, y) =
                glm::vec4(ramp(glm::clamp(light, 0.0f, 1.0f), ember, amber, hot), 1.0f);
        }
    }
    return image;
}

Image GlowTextures::waterRipples() {
    constexpr int kSize = 256;
    const TileNoise noise(909);
    Image image(kSize, kSize);
    // Whole-numbered wave vectors keep every wave periodic across the texture.
    const glm::vec2 waves[] = {{2, 1}, {-1, 3}, {3, -2}, {1, 4}, {-4, 1}, {5, 3}, {-3, -5}};
    const glm::vec3 deep(0.03f, 0.20f, 0.40f);
    const glm::vec3 middle(0.08f, 0.40f, 0.64f);
    const glm::vec3 light(0.60f, 0.88f, 0.98f);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            float height = 0.0f, weight = 0.0f;
            for (size_t i = 0; i < std::size(waves); ++i) {
                const float amplitude = 1.0f / (1.0f + 0.3f * static_cast<float>(i));
                const float phase = kTwoPi * noise.random(static_cast<int>(i), 0, 1);
                height += amplitude * std::sin(kTwoPi * glm::dot(waves[i], uv) + phase);
                weight += amplitude;
            }
            height /= weight;
            const glm::vec2 warp(noise.fractal(uv, 4, 3, 0.5f, 2),
                                 noise.fractal(uv, 4, 3, 0.5f, 3));
            const TileNoise::Cells caustic = noise.cells(glm::fract(uv + 0.08f * warp), 7, 0.9f, 4);
            const float net = 1.0f - glm::smoothstep(0.0f, 0.14f, caustic.second - caustic.nearest);
            glm::vec3 colour = glm::mix(deep, middle, glm::clamp(0.5f + 0.9f * height, 0.0f, 1.0f));
            colour = glm::mix(colour, light, 0.55f * net * (0.6f + 0.4f * height));
            image.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    return image;
}

Image GlowTextures::flameSprite() {
    constexpr int kSize = 256;
    Image image(kSize, kSize);
    const glm::vec3 core(1.0f, 1.0f, 1.0f);
    const glm::vec3 yellow(1.0f, 0.92f, 0.55f);
    const glm::vec3 orange(1.0f, 0.62f, 0.24f);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float r = spriteRadius(image, x, y);
            const float inside = glm::clamp(1.0f - r * r, 0.0f, 1.0f);
            const float alpha = std::pow(inside, 1.8f);
            const glm::vec3 colour = ramp(glm::smoothstep(0.0f, 0.9f, r), core, yellow, orange);
            image.at(x, y) = glm::vec4(colour, alpha);
        }
    }
    return image;
}

Image GlowTextures::waterDroplet() {
    constexpr int kSize = 256;
    Image image(kSize, kSize);
    const glm::vec3 centre(0.82f, 0.93f, 1.0f);
    const glm::vec3 rim(0.45f, 0.70f, 1.0f);
    const glm::vec2 highlightAt(-0.32f, -0.32f);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 p = image.uv(x, y) * 2.0f - 1.0f;
            const float r = glm::length(p);
            float alpha = 0.8f * (1.0f - glm::smoothstep(0.3f, 1.0f, r));
            glm::vec3 colour = glm::mix(centre, rim, glm::smoothstep(0.0f, 0.9f, r));
            const float highlight =
                1.0f - glm::smoothstep(0.0f, 0.28f, glm::length(p - highlightAt));
            colour = glm::mix(colour, glm::vec3(1.0f), highlight);
            alpha = glm::max(alpha, 0.95f * highlight * (r < 1.0f ? 1.0f : 0.0f));
            image.at(x, y) = glm::vec4(colour, r < 1.0f ? alpha : 0.0f);
        }
    }
    return image;
}
