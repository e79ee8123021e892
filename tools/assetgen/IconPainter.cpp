#include "IconPainter.h"

#include <cmath>

namespace {

// Everything below is measured in icon units: (0, 0) the top left corner, (1, 1) the
// bottom right, y down as the rows go.

// Each pixel is the mean of kSamples x kSamples points spread over it.
constexpr int kSamples = 4;

// A flame standing on its base point: a round bulb below, narrowing upward to a pinched
// tip that curls aside. Above the bulb's widest row its width follows a taper that starts
// flat, so the sides run smoothly out of the circle, and ends in a sharp point.
struct Flame {
    glm::vec2 base; // lowest point of the bulb
    float radius;   // the bulb's, also half the width at the widest row
    float height;   // from the base to the tip
    float lean;     // how far the tip sits right of the base
    float pinch;    // taper exponent: above 1 the sides curve in towards the tip

    glm::vec2 bulbCentre() const { return base - glm::vec2(0.0f, radius); }
    // Share of the height taken by the bulb, up to its widest row.
    float bulb() const { return radius / height; }

    // Half-width at height u (0 at the base, 1 at the tip) above the bulb, with its rate
    // of change.
    void width(float u, float& w, float& slope) const {
        const float u0 = bulb();
        const float s = (u - u0) / (1.0f - u0);
        w = radius * std::pow(1.0f - s, pinch) * (1.0f + pinch * s);
        slope =
            -radius * pinch * (1.0f + pinch) * s * std::pow(1.0f - s, pinch - 1.0f) / (1.0f - u0);
    }

    // Sideways offset of the flame's middle line at height u above the bulb, with its rate
    // of change: none at the widest row, most of it near the tip.
    void middle(float u, float& offset, float& slope) const {
        constexpr float kCurl = 2.4f;
        const float u0 = bulb();
        const float s = (u - u0) / (1.0f - u0);
        offset = lean * std::pow(s, kCurl);
        slope = lean * kCurl * std::pow(s, kCurl - 1.0f) / (1.0f - u0);
    }

    // About the signed distance to the outline: negative inside. Below the widest row it
    // is the distance to the bulb's circle. Above, it is the sideways gap to the edge
    // divided by the gradient's length, right up to a few per cent but at the very tip;
    // over the tip it is the distance to the tip.
    float distance(glm::vec2 p) const {
        const float u = (base.y - p.y) / height;
        if (u <= bulb()) {
            return glm::length(p - bulbCentre()) - radius;
        }
        if (u >= 1.0f) {
            return glm::length(p - glm::vec2(base.x + lean, base.y - height));
        }
        float w, wSlope, offset, offsetSlope;
        width(u, w, wSlope);
        middle(u, offset, offsetSlope);
        const float across = p.x - base.x - offset;
        const float side = across < 0.0f ? -1.0f : 1.0f;
        const float gap = std::abs(across) - w;
        const float dy = (side * offsetSlope + wSlope) / height;
        return gap / std::sqrt(1.0f + dy * dy);
    }

    // Height within the flame, 0 at the base and 1 at the tip.
    float heightAt(glm::vec2 p) const { return glm::clamp((base.y - p.y) / height, 0.0f, 1.0f); }
};

// Signed distance to a square of half-side `half` about (0.5, 0.5) with corners rounded
// to `corner`.
float plateDistance(glm::vec2 p, float half, float corner) {
    const glm::vec2 q = glm::abs(p - 0.5f) - (half - corner);
    return glm::length(glm::max(q, 0.0f)) + glm::min(glm::max(q.x, q.y), 0.0f) - corner;
}

// How much of a sample of width `step` lies inside an edge at signed distance d.
float cover(float d, float step) {
    return glm::clamp(0.5f - d / step, 0.0f, 1.0f);
}

struct Sample {
    glm::vec3 colour;
    float alpha;
};

constexpr float kPlateHalf = 0.46f;
constexpr float kCorner = 0.18f;

// The flame's outline: a main flame with a smaller tongue licking up from its left
// shoulder, joined without a notch.
constexpr Flame kOuter{{0.49f, 0.815f}, 0.21f, 0.68f, 0.09f, 1.6f};
constexpr Flame kTongue{{0.40f, 0.73f}, 0.095f, 0.42f, -0.075f, 1.5f};

// Union of two distances with the seam between them rounded off over about `blend`.
float smoothUnion(float a, float b, float blend) {
    const float h = glm::clamp(0.5f + 0.5f * (b - a) / blend, 0.0f, 1.0f);
    return glm::mix(b, a, h) - blend * h * (1.0f - h);
}

float outline(glm::vec2 p) {
    return smoothUnion(kOuter.distance(p), kTongue.distance(p), 0.05f);
}

// The two hotter flames inside, each smaller and sitting higher on the one before, so the
// rim of red is thinnest at the base and the white sits low down.
constexpr Flame kMiddle{{0.483f, 0.772f}, 0.142f, 0.45f, 0.065f, 1.6f};
constexpr Flame kCore{{0.485f, 0.742f}, 0.082f, 0.23f, 0.025f, 1.3f};

glm::vec3 plateColour(glm::vec2 p, float plate, float flame, float pixel) {
    const float down = glm::clamp((p.y - (0.5f - kPlateHalf)) / (2.0f * kPlateHalf), 0.0f, 1.0f);
    const glm::vec3 top(0.17f, 0.18f, 0.31f);
    const glm::vec3 bottom(0.075f, 0.075f, 0.15f);
    glm::vec3 colour = glm::mix(top, bottom, down);
    // A thin lighter rim, brighter along the top as if lit from above.
    const float rimWidth = glm::max(1.3f * pixel, 0.016f);
    const float rim = 1.0f - glm::smoothstep(0.4f * rimWidth, rimWidth, -plate);
    const glm::vec3 rimColour =
        glm::mix(glm::vec3(0.48f, 0.51f, 0.74f), glm::vec3(0.24f, 0.25f, 0.42f), down);
    colour = glm::mix(colour, rimColour, 0.85f * rim);
    // Warm light from the flame: close around its outline and a wider, fainter halo.
    const glm::vec2 fromBulb = (p - kOuter.bulbCentre()) * glm::vec2(1.0f, 0.75f);
    const float near = std::exp(-glm::max(flame, 0.0f) / 0.05f);
    const float wide = std::exp(-glm::dot(fromBulb, fromBulb) / 0.07f);
    colour += glm::vec3(1.0f, 0.40f, 0.10f) * (0.45f * near + 0.22f * wide);
    return glm::min(colour, glm::vec3(1.0f));
}

glm::vec3 flameColour(glm::vec2 p, float outer) {
    const glm::vec3 red(0.86f, 0.16f, 0.05f);
    const glm::vec3 orange(1.0f, 0.46f, 0.07f);
    const glm::vec3 yellow(1.0f, 0.84f, 0.22f);
    const glm::vec3 white(1.0f, 0.98f, 0.88f);
    // Red at the edge deepening to orange inside, and redder towards the tip.
    glm::vec3 colour = glm::mix(red, orange, glm::smoothstep(0.0f, 0.045f, -outer));
    colour = glm::mix(colour, red, 0.35f * glm::smoothstep(0.55f, 1.0f, kOuter.heightAt(p)));
    const float middle = 1.0f - glm::smoothstep(-0.022f, 0.006f, kMiddle.distance(p));
    colour = glm::mix(colour, yellow, middle);
    const float core = 1.0f - glm::smoothstep(-0.035f, 0.006f, kCore.distance(p));
    return glm::mix(colour, white, core);
}

Sample paint(glm::vec2 p, float pixel, float step) {
    const float plate = plateDistance(p, kPlateHalf, kCorner);
    const float outer = outline(p);
    const float flame = cover(outer, step);
    glm::vec3 colour = plateColour(p, plate, outer, pixel);
    if (flame > 0.0f) {
        colour = glm::mix(colour, flameColour(p, outer), flame);
    }
    // A faint reflection below, squashed and fading, as on still water.
    const float below = p.y - kOuter.base.y;
    if (below > 0.0f) {
        const glm::vec2 mirrored(p.x, kOuter.base.y - below / 0.3f);
        const float shown = 0.35f * (1.0f - glm::smoothstep(0.0f, 0.11f, below)) *
                            glm::smoothstep(0.0f, 0.012f, below);
        const float edge = outline(mirrored);
        const float inside = 1.0f - glm::smoothstep(-0.01f, 0.01f, edge);
        colour = glm::mix(colour, flameColour(mirrored, edge), shown * inside);
    }
    return {colour, cover(plate, step)};
}

} // namespace

Image IconPainter::icon(int size) {
    Image image(size, size);
    const float pixel = 1.0f / static_cast<float>(size);
    const float step = pixel / kSamples;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            glm::vec3 sum(0.0f);
            float alpha = 0.0f;
            for (int j = 0; j < kSamples; ++j) {
                for (int i = 0; i < kSamples; ++i) {
                    const glm::vec2 p((x + (i + 0.5f) / kSamples) * pixel,
                                      (y + (j + 0.5f) / kSamples) * pixel);
                    const Sample sample = paint(p, pixel, step);
                    sum += sample.colour * sample.alpha;
                    alpha += sample.alpha;
                }
            }
            // Straight, not premultiplied, colour; pixels wholly outside the plate keep
            // the plate's colour so that scaling the icon leaves no dark fringe.
            const glm::vec3 colour =
                alpha > 0.0f ? sum / alpha : paint(image.uv(x, y), pixel, step).colour;
            image.at(x, y) = glm::vec4(colour, alpha / (kSamples * kSamples));
        }
    }
    return image;
}
