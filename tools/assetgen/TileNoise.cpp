#include "TileNoise.h"

#include <cmath>

namespace {

// A well-mixed 32-bit integer hash (lowbias32).
std::uint32_t mix(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

int wrap(int i, int period) {
    return ((i % period) + period) % period;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

float TileNoise::random(int x, int y, int salt) const {
    const std::uint32_t h =
        mix(seed + mix(static_cast<std::uint32_t>(x) +
                       mix(static_cast<std::uint32_t>(y) + mix(static_cast<std::uint32_t>(salt)))));
    return static_cast<float>(h >> 8) / 16777216.0f;
}

float TileNoise::value(glm::vec2 uv, glm::ivec2 period, int salt) const {
    const glm::vec2 p = uv * glm::vec2(period);
    const glm::vec2 base = glm::floor(p);
    const glm::vec2 t = p - base;
    const int x0 = wrap(static_cast<int>(base.x), period.x);
    const int y0 = wrap(static_cast<int>(base.y), period.y);
    const int x1 = wrap(x0 + 1, period.x);
    const int y1 = wrap(y0 + 1, period.y);
    const float fx = fade(t.x), fy = fade(t.y);
    const float top = glm::mix(random(x0, y0, salt), random(x1, y0, salt), fx);
    const float bottom = glm::mix(random(x0, y1, salt), random(x1, y1, salt), fx);
    return glm::mix(top, bottom, fy);
}

float TileNoise::fractal(glm::vec2 uv, int period, int octaves, float gain, int salt) const {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * value(uv, period << octave, salt * 31 + octave);
        total += weight;
        weight *= gain;
    }
    return sum / total;
}

TileNoise::Cells TileNoise::cells(glm::vec2 uv, int period, float jitter, int salt) const {
    const glm::vec2 p = uv * static_cast<float>(period);
    const glm::ivec2 home(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
    Cells result;
    result.nearest = result.second = 1e9f;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const glm::ivec2 cell = home + glm::ivec2(dx, dy);
            const glm::ivec2 wrapped(wrap(cell.x, period), wrap(cell.y, period));
            const glm::vec2 offset(random(wrapped.x, wrapped.y, salt),
                                   random(wrapped.x, wrapped.y, salt + 7919));
            const glm::vec2 point = glm::vec2(cell) + 0.5f + jitter * (offset - 0.5f);
            const float distance = glm::length(point - p);
            if (distance < result.nearest) {
                result.second = result.nearest;
                result.nearest = distance;
                result.cell = wrapped;
                result.toNearest = point - p;
            } else if (distance < result.second) {
                result.second = distance;
            }
        }
    }
    return result;
}
