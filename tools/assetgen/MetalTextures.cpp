#include "MetalTextures.h"

#include <cmath>

#include "TileNoise.h"

namespace {

// Distance in pixels from `p` to the nearest line of a grid of `panels` x `panels` seams
// (the texture's edges are seams too), and the step towards it (image axes, y down).
float seamDistance(glm::vec2 p, float size, int panels, glm::vec2& toSeam) {
    const float panel = size / panels;
    const glm::vec2 local = glm::mod(p, panel);
    const float candidates[4] = {local.x, panel - local.x, local.y, panel - local.y};
    constexpr glm::vec2 directions[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    float best = candidates[0];
    toSeam = directions[0];
    for (int i = 1; i < 4; ++i) {
        if (candidates[i] < best) {
            best = candidates[i];
            toSeam = directions[i];
        }
    }
    return best;
}

} // namespace

Image MetalTextures::paintedSteel() {
    constexpr int kSize = 256;
    constexpr int kPanels = 2;
    constexpr float kRivetSpacing = 16.0f;
    constexpr float kRivetInset = 7.0f;
    const TileNoise noise(606);
    Image image(kSize, kSize);
    const glm::vec3 paint(0.26f, 0.50f, 0.55f);
    const glm::vec2 light = glm::normalize(glm::vec2(-1.0f, -1.0f));

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            const glm::vec2 p(x + 0.5f, y + 0.5f);

            const float brushed =
                noise.value(uv, {2, 160}, 1) * 0.6f + noise.value(uv, {4, 96}, 2) * 0.4f;
            const glm::vec3 steel = glm::vec3(0.56f, 0.58f, 0.60f) * (0.85f + 0.3f * brushed);
            glm::vec3 coat = paint * (0.92f + 0.16f * noise.fractal(uv, 8, 4, 0.5f, 3));

            // Paint wears through where a slow noise peaks; a dark lip rings each chip.
            const float wear = noise.fractal(uv, 8, 5, 0.55f, 4);
            const float bare = glm::smoothstep(0.67f, 0.69f, wear);
            const float lip = glm::smoothstep(0.62f, 0.67f, wear) * (1.0f - bare);
            coat *= 1.0f - 0.35f * lip;
            glm::vec3 colour = glm::mix(coat, steel, bare);

            glm::vec2 toSeam;
            const float seam = seamDistance(p, kSize, kPanels, toSeam);
            // Grime gathers along the seams; panel edges are folded and catch the light.
            colour *= 0.8f + 0.2f * glm::smoothstep(0.0f, 14.0f, seam);
            const float fold = 1.0f - glm::smoothstep(1.5f, 5.0f, seam);
            colour *= 1.0f + 0.3f * fold * glm::dot(toSeam, light);
            colour *= 1.0f - 0.7f * (1.0f - glm::smoothstep(0.5f, 1.5f, seam));

            // Rivets in a row along every seam, kRivetInset pixels in.
            const float panel = static_cast<float>(kSize) / kPanels;
            const glm::vec2 local = glm::mod(p, panel);
            const glm::vec2 cellCentre =
                glm::floor(local / kRivetSpacing) * kRivetSpacing + kRivetSpacing * 0.5f;
            glm::vec2 nearest(1e9f);
            for (float inset : {kRivetInset, panel - kRivetInset}) {
                const glm::vec2 alongX(cellCentre.x, inset);
                const glm::vec2 alongY(inset, cellCentre.y);
                if (glm::length(local - alongX) < glm::length(local - nearest)) {
                    nearest = alongX;
                }
                if (glm::length(local - alongY) < glm::length(local - nearest)) {
                    nearest = alongY;
                }
            }
            const glm::vec2 offset = (local - nearest) / 2.8f;
            const float r = glm::length(offset);
            if (r < 1.5f) {
                colour *= 1.0f - 0.4f * glm::smoothstep(1.5f, 1.0f, r) *
                                     (1.0f - glm::smoothstep(0.9f, 1.0f, r));
                const float head = 1.0f - glm::smoothstep(0.85f, 1.0f, r);
                const float lit = glm::clamp(0.6f - 0.55f * (offset.x + offset.y), 0.0f, 1.2f);
                colour = glm::mix(colour, coat * (0.6f + 0.7f * lit), head);
            }
            image.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    return image;
}

Image MetalTextures::brass() {
    constexpr int kSize = 256;
    const TileNoise noise(707);
    Image image(kSize, kSize);
    const glm::vec3 deep(0.52f, 0.37f, 0.14f);
    const glm::vec3 base(0.82f, 0.64f, 0.31f);
    const glm::vec3 shine(1.0f, 0.89f, 0.60f);
    const glm::vec3 tarnish(0.45f, 0.36f, 0.18f);
    const glm::vec2 light = glm::normalize(glm::vec2(-1.0f, -1.0f));

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const glm::vec2 uv = image.uv(x, y);
            // Fine brushing along u: noise stretched a long way across and little along.
            const float brushed = 0.5f * noise.value(uv, {3, 160}, 1) +
                                  0.3f * noise.value(uv, {7, 256}, 2) +
                                  0.2f * noise.value(uv, {2, 64}, 3);
            float level = 0.5f + 0.4f * (brushed - 0.5f);
            // Shallow hammer dimples, each lit on the side facing the light.
            const TileNoise::Cells dimple = noise.cells(uv, 10, 0.85f, 4);
            // Inside a dimple the surface tilts towards its centre.
            const float slope =
                dimple.nearest * (1.0f - glm::smoothstep(0.4f, 0.75f, dimple.nearest));
            if (dimple.nearest > 1e-4f) {
                level += 0.3f * slope * glm::dot(dimple.toNearest / dimple.nearest, light);
            }
            level += 0.5f * (noise.fractal(uv, 4, 3, 0.5f, 5) - 0.5f);
            glm::vec3 colour = level < 0.5f ? glm::mix(deep, base, level * 2.0f)
                                            : glm::mix(base, shine, level * 2.0f - 1.0f);
            const float dull = glm::smoothstep(0.62f, 0.8f, noise.fractal(uv, 8, 4, 0.55f, 6));
            colour = glm::mix(colour, tarnish, 0.2f * dull);
            image.at(x, y) = glm::vec4(colour, 1.0f);
        }
    }
    return image;
}
